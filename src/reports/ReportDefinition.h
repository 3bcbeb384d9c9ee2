#pragma once
#include "data/RowSet.h"
#include "reports/ReportSection.h"

#include <QMarginsF>
#include <QString>
#include <array>
#include <optional>

// A report definition: its page, its five band sections and where its rows
// come from (a command of the data environment, or rows handed to it). A
// definition is a value: the program keeps each report's definition as
// built and sets the captions, orientation and rows of one show on a copy.
namespace ulk::report {

// Page orientation as the report run time numbers it: 1 portrait, 2 landscape.
enum class Orientation { Portrait = 1, Landscape = 2 };

class ReportDefinition {
public:
    explicit ReportDefinition(const QString &name = QString());

    QString name() const { return m_name; }
    // Title of the preview window.
    QString caption;

    // Paper (A4) and its orientation; margins in twips.
    Orientation orientation = Orientation::Portrait;
    QMarginsF margins{1440, 1440, 1440, 1440};
    int width = 0;            // width of the report's body, twips
    ReportFont defaultFont;   // Arial 8.25 pt

    // Sections by kind or by name ("Section4", letter case ignored).
    ReportSection &section(SectionKind kind);
    const ReportSection &section(SectionKind kind) const;
    const ReportSection *section(const QString &name) const;

    // A control of a section, both by name; null when there is none.
    ReportControl *control(const QString &sectionName, const QString &controlName);
    const ReportControl *control(const QString &sectionName, const QString &controlName) const;
    // Set a label's caption or a text box's data field before the show.
    // False when the section or control does not exist or is of another kind.
    bool setCaption(const QString &sectionName, const QString &controlName, const QString &text);
    bool setDataField(const QString &sectionName, const QString &controlName, const QString &dataField);

    // The report reads a command of the data environment ...
    QString dataMember() const { return m_dataMember; }
    void setDataMember(const QString &command);
    // Only the command's rows whose key column holds this key (a report that
    // prints one client from a source that holds every client).
    struct KeyFilter {
        QString column;
        QString key;
    };
    const std::optional<KeyFilter> &keyFilter() const { return m_keyFilter; }
    void setKeyFilter(const QString &column, const QString &key) { m_keyFilter = KeyFilter{column, key}; }
    // ... or rows handed to it; handing rows replaces the command.
    const std::optional<RowSet> &dataSource() const { return m_dataSource; }
    void setDataSource(const RowSet &rows);
    void clearDataSource() { m_dataSource.reset(); }

private:
    QString m_name;
    std::array<ReportSection, 5> m_sections;
    QString m_dataMember;
    std::optional<RowSet> m_dataSource;
    std::optional<KeyFilter> m_keyFilter;
};

} // namespace ulk::report
