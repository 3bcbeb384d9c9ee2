#pragma once
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// Section III of the statement: the employees by job function (1 to 8),
// internal and external, of them women and of them with the required
// qualification, and the total line.
namespace ulk::statement {

class EmployeeSection {
public:
    static constexpr int kFunctions = 8;

    struct Line {
        const char *fcia;  // caption
        const char *cria;  // line code
    };
    // Job function n (1 to 8); the total line is line(0).
    static const Line &line(int n);

    // The nine rows of z_zam in column order. Nothing, with *error, when the
    // employees cannot be read.
    static std::optional<QList<QStringList>> compute(QString *error);
};

} // namespace ulk::statement
