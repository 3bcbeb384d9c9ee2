#include "client/BasicDataFields.h"

#include <QDate>
#include <QLocale>
#include <QStringList>

namespace ulk::BasicDataFields {

namespace {

using F = FieldFrame;
using K = FieldKind;

const char *const kTown = "názov obce(z číselníka)";
const char *const kCode = "dvojmiestny kód(z číselníka)";
const char *const kDate = "dátum v tvare DD.MM.RRRR";

// index, column, tab, frame, label, limit, digits, tooltip, picker, kind
const std::array<BasicDataField, count> kFields = {{
    {0, "meno", 0, F::Client, "Meno", 20, false, "krstné meno klienta", nullptr, K::Text},
    {1, "priezv", 0, F::Client, "Priezvisko", 30, false, "priezvisko klienta", nullptr, K::Text},
    {2, "mienar", 0, F::Client, "Miesto nar.", 30, false, kTown, "dbcvolby0", K::Text},
    {3, "rodcis", 0, F::Client, "Rod.čis.", 10, true, "rodné číslo bez lomítka", nullptr, K::Text},
    {4, "datnar", 0, F::Client, "Dát. nar.", 12, false, kDate, nullptr, K::Date},
    {5, "pohlav", 0, F::Client, "Pohlavie", 1, false, "jednomiestny kód pohlavia(z číselníka)", "cmbPos3", K::Text},
    {6, "katcis", 0, F::Client, "Kat. čís.", 0, true, "jednoznačné katalógové číslo klienta", nullptr, K::Text},
    {7, "zdrpoi", 0, F::Client, "Zdravotná poisťovňa", 50, true,
     "dvojmiestný kód zdravotnej poisťovne( z číselníka)", "dbcvolby8", K::Text},
    {8, "narodn", 0, F::Client, "Národnosť", 30, true, "dvojmiestny kód národnosti klienta(z číselníka)",
     "dbcvolby1", K::Text},
    {9, "stprisl", 0, F::Client, "Štátna príslušnosť", 30, false, kCode, "dbcvolby2", K::Text},
    {10, "jazyk", 0, F::Client, "Jazyk, ktorým klient komunikuje", 30, false, kCode, "dbcvolby3", K::Text},
    {11, "jaz_doma", 0, F::Client, "Jazyk, ktorým klient komunikuje doma", 0, false, kCode, "dbcvolby9", K::Text},
    {12, "ulica", 0, F::Client, "Ulica", 25, false, "ulica a číslo bydliska klienta", nullptr, K::Text},
    {13, "obec", 0, F::Client, "Mesto", 30, false, "obec(z číselníka)", "dbcvolby4", K::Text},
    {14, "psc", 0, F::Client, "PSČ", 5, true, "smerovacie číslo bydliska klienta", nullptr, K::Text},
    {15, "skola", 0, F::Client, "Škola", 70, false, "názov a adresa školy, ktorú navštevuje klient", nullptr, K::Text},
    {16, "odporu", 0, F::Client, "Kto klienta odporučil", 30, false, nullptr, nullptr, K::Text},
    {17, "datevi", 0, F::Client, "V evidencii zar.od", 12, false, kDate, nullptr, K::Date},
    {18, nullptr, 0, F::ClientDisability, "Výber domin. postihnutia", 1, true, nullptr, "cmbPos2", K::Disability},
    {19, nullptr, 0, F::ClientDisability, "Výber pridruž. postihnutia", 1, true, nullptr, "cmbSek0", K::Disability},
    {20, "matka", 1, F::Mother, "Meno a priezvisko", 50, false, "meno a priezvisko matky, oddelené medzerou", nullptr,
     K::Text},
    {21, "matnar", 1, F::Mother, "Rok nar.", 4, true, "štvorčíslie roku", nullptr, K::Text},
    {22, "matvek", 1, F::Mother, "Vek v č.n.d.", 2, true,
     "ak bol udaný dátum narodenia klienta, automaticky sa vypočíta vek matky v čase narodenia dieťaťa, je možné "
     "zadať aj ručne",
     nullptr, K::Age},
    {23, "matvzd", 1, F::Mother, "Vzdel.", 20, false, "najvyššie dosiahnuté vzdelanie matky", nullptr, K::Text},
    {24, "matuli", 1, F::Mother, "Ulica", 25, false, "ulica a číslo bydliska matky", nullptr, K::Text},
    {25, "matobe", 1, F::Mother, "Obec", 30, false, kTown, "dbcvolby5", K::Text},
    {26, "matpsc", 1, F::Mother, "PSČ", 5, true, nullptr, nullptr, K::Text},
    {27, "mattel", 1, F::Mother, "Tel.č.", 15, false, "telefón matky", nullptr, K::Text},
    {28, "matmail", 1, F::Mother, "E_mail", 0, false, nullptr, nullptr, K::Text},
    {29, "matzam", 1, F::Mother, "Zamest.", 20, false, "zamestnanie matky", nullptr, K::Text},
    {30, "mataza", 1, F::Mother, "Adr.zam.", 50, false, "adresa zamestnávateľa matky", nullptr, K::Text},
    {31, "mattza", 1, F::Mother, "Tel.č.zam.", 15, false, "telefónne číslo do zamestnania matky", nullptr, K::Text},
    {32, "matchor", 1, F::Mother, "Prekonané vážne choroby", 50, false, nullptr, nullptr, K::Text},
    {33, nullptr, 1, F::MotherDisability, "Výber dominantného postihnutia", 1, true, nullptr, "cmbPos1",
     K::Disability},
    {34, nullptr, 1, F::MotherDisability, "Výber pridruženého postihnutia", 1, true, nullptr, "cmbSek1",
     K::Disability},
    {35, "otec", 1, F::Father, "Meno a priezvisko", 50, false, nullptr, nullptr, K::Text},
    {36, "otenar", 1, F::Father, "Rok nar.", 4, true, nullptr, nullptr, K::Text},
    {37, "otevek", 1, F::Father, "Vek v č.n.d.", 2, true,
     "ak bol udaný dátum narodenia klienta, automaticky sa vypočíta vek otca v čase narodenia dieťaťa, je možné "
     "zadať aj ručne",
     nullptr, K::Age},
    {38, "otevzd", 1, F::Father, "Vzdel.", 20, false, "najvyššie dosiahnuté vzdelanie otca", nullptr, K::Text},
    {39, "oteuli", 1, F::Father, "Ulica", 25, false, "ulica a číslo bydliska otca", nullptr, K::Text},
    {40, "oteobe", 1, F::Father, "Obec", 30, false, kTown, "dbcvolby6", K::Text},
    {41, "otepsc", 1, F::Father, "PSČ", 5, true, nullptr, nullptr, K::Text},
    {42, "otetel", 1, F::Father, "Tel.č.", 15, false, nullptr, nullptr, K::Text},
    {43, "otemail", 1, F::Father, "E_mail", 0, false, nullptr, nullptr, K::Text},
    {44, "otezam", 1, F::Father, "Zamest.", 30, false, "zamestnanie otca", nullptr, K::Text},
    {45, "oteaza", 1, F::Father, "Adr.zam.", 50, false, nullptr, nullptr, K::Text},
    {46, "otetza", 1, F::Father, "Tel.č.zam.", 15, false, "telefónne číslo do zamestnania otca", nullptr, K::Text},
    {47, "otechor", 1, F::Father, "Prekonané vážne choroby", 50, false, nullptr, nullptr, K::Text},
    {48, nullptr, 1, F::FatherDisability, "Výber dominantného postihnutia", 1, true, nullptr, "cmbPos0",
     K::Disability},
    {49, nullptr, 1, F::FatherDisability, "Výber pridruženého postihnutia", 1, true, nullptr, "cmbSek2",
     K::Disability},
    {50, "kon_meno", 1, F::Representative, "Meno a priezvisko", 50, false, nullptr, nullptr, K::Text},
    {51, "kon_pomer", 1, F::Representative, "Pomer ku kl.", 20, false, nullptr, nullptr, K::Text},
    {52, "kon_obe", 1, F::Representative, "Obec", 30, false, kTown, "dbcvolby7", K::Text},
    {53, "kon_uli", 1, F::Representative, "Ulica", 25, false, nullptr, nullptr, K::Text},
    {54, "kon_psc", 1, F::Representative, "Psč", 0, true, nullptr, nullptr, K::Text},
    {55, "kon_tel", 1, F::Representative, "Telefón", 15, false, nullptr, nullptr, K::Text},
    {56, "kon_mail", 1, F::Representative, "E-mail", 0, false, nullptr, nullptr, K::Text},
}};

QString upperFirst(const QString &text)
{
    if (text.isEmpty())
        return text;
    static const QLocale sk(QLocale::Slovak, QLocale::Slovakia);
    return sk.toUpper(text.left(1)) + text.mid(1);
}

// A typed date d.m.yyyy (or d.m.yy) as a calendar date; invalid otherwise.
QDate parseDate(const QString &text)
{
    const QStringList parts = text.trimmed().split(QLatin1Char('.'));
    if (parts.size() != 3)
        return {};
    bool okDay = false, okMonth = false, okYear = false;
    const int day = parts[0].toInt(&okDay);
    const int month = parts[1].toInt(&okMonth);
    int year = parts[2].toInt(&okYear);
    if (!okDay || !okMonth || !okYear || (parts[2].size() != 2 && parts[2].size() != 4))
        return {};
    if (parts[2].size() == 2)
        year += year <= 70 ? 2000 : 1900;
    return QDate(year, month, day);
}

} // namespace

const std::array<BasicDataField, count> &all() { return kFields; }

const BasicDataField &at(int index) { return kFields.at(std::size_t(index)); }

QString objectName(int index) { return QStringLiteral("textKrz%1").arg(index); }

QString columnOf(int index)
{
    const char *c = at(index).column;
    return c ? QString::fromLatin1(c) : QString();
}

QString label(int index) { return QString::fromUtf8(at(index).label); }

QString accessibleName(int index)
{
    QString person;
    switch (at(index).frame) {
    case F::Client:
    case F::ClientDisability: return label(index);
    case F::Mother:
    case F::MotherDisability: person = frameCaption(F::Mother); break;
    case F::Father:
    case F::FatherDisability: person = frameCaption(F::Father); break;
    case F::Representative: person = frameCaption(F::Representative); break;
    }
    return person + QStringLiteral(": ") + label(index);
}

QString tooltip(int index)
{
    const char *t = at(index).tooltip;
    return t ? QString::fromUtf8(t) : QString();
}

QString frameCaption(FieldFrame frame)
{
    switch (frame) {
    case F::Client: return QStringLiteral("KLIENT");
    case F::Mother: return QStringLiteral("Matka");
    case F::Father: return QStringLiteral("Otec");
    case F::Representative: return QStringLiteral("Zákonný zástupca");
    case F::ClientDisability:
    case F::MotherDisability:
    case F::FatherDisability: return QStringLiteral("Postihnutia");
    }
    return {};
}

QString pickerOf(int index)
{
    const char *p = at(index).picker;
    return p ? QString::fromLatin1(p) : QString();
}

int fieldOfPicker(const QString &pickerName)
{
    if (pickerName.isEmpty())
        return -1;
    for (const BasicDataField &f : kFields)
        if (f.picker && pickerName == QLatin1String(f.picker))
            return f.index;
    return -1;
}

QStringList boundColumns()
{
    QStringList columns;
    for (const BasicDataField &f : kFields)
        if (f.column)
            columns << QString::fromLatin1(f.column);
    return columns;
}

int moveTarget(int index, FieldMove move, const std::function<bool(int)> &isEnabled)
{
    const auto enabled = [&](int i) { return !isEnabled || isEnabled(i); };
    switch (move) {
    case FieldMove::SaveButton:
        return -1;
    case FieldMove::Next: {
        // The last field of each tab keeps the focus.
        int target = (index == 19 || index == 56) ? index : index + 1;
        if (target == 19 && !enabled(19))
            target = 18;
        else if (target == 34 && !enabled(34))
            target = 35;
        else if (target == 49 && !enabled(49))
            target = 50;
        return target;
    }
    case FieldMove::Previous: {
        int target = index == 0 ? 0 : index - 1;
        // Up never leaves the second tab.
        if (target == 19)
            target = 20;
        else if (target == 34 && !enabled(34))
            target = 33;
        else if (target == 49 && !enabled(49))
            target = 48;
        return target;
    }
    }
    return index;
}

QString textOf(int index, const QVariant &value)
{
    if (value.isNull() || !value.isValid())
        return QString();
    switch (at(index).kind) {
    case K::Date: {
        QDate d = value.toDate();
        if (!d.isValid())
            d = QDate::fromString(value.toString().left(10), Qt::ISODate);
        return d.isValid() ? d.toString(QStringLiteral("d.M.yyyy")) : value.toString();
    }
    case K::Age:
    case K::Text:
        return value.toString();
    case K::Disability:
        return QString();
    }
    return value.toString();
}

bool isStorableDate(const QString &text) { return text.isEmpty() || parseDate(text).isValid(); }

QVariant valueOf(int index, const QString &text)
{
    switch (at(index).kind) {
    case K::Date: {
        if (text.trimmed().isEmpty())
            return QVariant();
        const QDate d = parseDate(text);
        return d.isValid() ? QVariant(d.toString(Qt::ISODate)) : QVariant();
    }
    case K::Age: {
        // The leading digits give the number; nothing gives 0.
        int v = 0;
        const QString t = text.trimmed();
        for (int i = 0; i < t.size() && t.at(i).isDigit() && v < 100000; ++i)
            v = v * 10 + t.at(i).digitValue();
        return v;
    }
    case K::Text:
        return text.isEmpty() ? QVariant() : QVariant(text);
    case K::Disability:
        return QVariant();
    }
    return QVariant();
}

QString capitaliseFirst(const QString &text) { return upperFirst(text); }

QString capitaliseTwoWords(const QString &text)
{
    QString t = upperFirst(text);
    const int p = t.indexOf(QLatin1Char(' '));
    if (p >= 0 && p + 1 < t.size())
        t = t.left(p) + QLatin1Char(' ') + upperFirst(t.mid(p + 1));
    return t;
}

} // namespace ulk::BasicDataFields
