#pragma once
#include <QString>
#include <QStringList>
#include <array>

// The 22 counts of one line of statement sections I and II: the clients of
// the line, of them girls, and the ten disability columns each with its
// girls' twin. A client counts once in spolu (and spolu_zeny for a girl),
// then either in the column of the dominant disability's digit or, with
// several disabilities, in p_viacn alone.
namespace ulk::statement {

class DisabilityCounts {
public:
    static constexpr int kColumns = 22;

    // The count columns in the order of the work tables z_vek and z_vzdelavanie.
    static const QStringList &columns();

    // Whether a code string begins with the digit of a dominant disability
    // (1 to 9); an empty or missing string, a "0", a blank or any other
    // first character does not.
    static bool hasDominant(const QString &codes);
    // Section I: several disabilities when the second character of the
    // trimmed code string is a digit 1 to 9.
    static bool severalBySecondCode(const QString &codes);
    // Section II: several disabilities when the trimmed code string is longer
    // than one character.
    static bool severalByLength(const QString &codes);
    // Only the capital "Z" is a girl.
    static bool isGirl(const QString &sex) { return sex == QLatin1String("Z"); }

    // Counts a client whose code string has a dominant disability.
    void countClient(const QString &codes, const QString &sex, bool several);
    void add(const DisabilityCounts &other);

    // A count by its column name (spolu, p_rec_z, ...); -1 for an unknown name.
    int value(const QString &column) const;
    int at(int index) const { return m_counts.at(index); }
    bool isZero() const;
    // The count cells in column order.
    QStringList cells() const;

private:
    void bump(int index) { ++m_counts[index]; }
    std::array<int, kColumns> m_counts{};
};

} // namespace ulk::statement
