#pragma once
#include "reports/ReportControl.h"
#include "reports/ReportDefinition.h"

#include <QList>
#include <QLineF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <memory>

// A report laid out into pages: every text and line at its place on its
// page, in twips from the top left corner of the paper. Painting draws
// exactly this; tests read it to check texts, order and positions.
namespace ulk::report {

struct PlacedText {
    QString section;   // "Section1" ..
    QString name;      // the control's name
    QString field;     // the column a text box prints (empty for a label)
    int row = -1;      // detail: the row printed, else -1
    QString text;      // one line of text
    QRectF rect;       // the line's box on the page; the text is cut at its edges
    ReportFont font;
    Alignment alignment = Alignment::Left;
};

struct PlacedLine {
    QString section;
    QString name;
    QLineF line;
    LineStyle style = LineStyle::Solid;
};

struct ReportPage {
    QList<PlacedText> texts;   // in section order, and within a section in design order
    QList<PlacedLine> lines;

    // The texts of one section, or of one control (name) of it.
    QList<PlacedText> textsOf(const QString &section, const QString &name = QString()) const;
    // The texts printed from one column.
    QList<PlacedText> textsOfField(const QString &field) const;
};

// What lays the pages of one report out, each page when it is asked for.
class PageSource {
public:
    virtual ~PageSource() = default;
    virtual int pageCount() const = 0;
    virtual ReportPage page(int index) const = 0;
};

// The pages of a report. A page is laid out each time it is read, so that a
// report of thousands of pages holds its rows and where each page begins,
// never every page at once.
class PageList {
public:
    PageList() = default;
    explicit PageList(std::shared_ptr<const PageSource> source) : m_source(std::move(source)) {}

    int size() const { return m_source ? m_source->pageCount() : 0; }
    bool isEmpty() const { return size() == 0; }
    ReportPage at(int index) const { return m_source ? m_source->page(index) : ReportPage(); }
    ReportPage operator[](int index) const { return at(index); }
    ReportPage first() const { return at(0); }
    ReportPage last() const { return at(size() - 1); }

    class const_iterator {
    public:
        const_iterator(const PageList *list, int index) : m_list(list), m_index(index) {}
        ReportPage operator*() const { return m_list->at(m_index); }
        const_iterator &operator++() { ++m_index; return *this; }
        bool operator!=(const const_iterator &o) const { return m_index != o.m_index; }
    private:
        const PageList *m_list;
        int m_index;
    };
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

private:
    std::shared_ptr<const PageSource> m_source;
};

struct ReportDocument {
    QString reportName;
    QString caption;
    Orientation orientation = Orientation::Portrait;
    QSizeF pageSize;           // twips, oriented
    PageList pages;

    int pageCount() const { return pages.size(); }
};

} // namespace ulk::report
