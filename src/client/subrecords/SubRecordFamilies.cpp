#include "client/subrecords/SubRecordFamilies.h"

namespace ulk {

namespace {

using C = SubRecordCheck;
using V = SubRecordValue;
using K = SubRecordKind;

const char *const kEmployeeTip = "kód pracovníka z číselnika";
const char *const kFacilityTip = "kód zariadenia z číselníka";
const char *const kDateRequired = "Dátum je povinný údaj !";
const char *const kEmployeeRequired = "Meno psychológa je povinný údaj !";

QVector<SubRecordFamilyDef> build()
{
    QVector<SubRecordFamilyDef> f;
    f.append({K::Siblings, "Sur", 2, "k_surodenci", "DBList1", "datSurodenci", "textSur",
              {
                  {0, "meno", V::Text, 0, false, C::SiblingName, "Meno", nullptr, nullptr},
                  {1, "roknar", V::Text, 4, true, C::SiblingYear, "Rok narodenia", nullptr, nullptr},
                  {2, "pohlavie", V::Text, 1, false, C::Sex, "Pohlavie", nullptr, "cmbSur0"},
                  {3, "choroby", V::Text, 50, false, C::None, "Choroby", nullptr, nullptr},
                  {4, nullptr, V::Unbound, 1, true, C::DominantCode, "Výber dominantného postihnutia", nullptr,
                   "cmbSur1"},
                  {5, nullptr, V::Unbound, 1, true, C::AssociatedCode, "Výber pridruženého postihnutia", nullptr,
                   nullptr},
              },
              nullptr, nullptr, nullptr, "postih",
              {"cmdSurNovy", "cmdSurOpr", "CmdSurVym", "cmdSurZap", "cmdSurZapNew", "cmdSurSto"},
              "Zapíš súrodenca", "Zapíš+nový",
              {{0, "Meno je povinný údaj !"}},
              0, 0, true, true, true, -1,
              "Naozaj chceš vymazať súrodenca : ", "", DeletePieces::SiblingName});
    f.append({K::Facilities, "Zar", 9, "k_zariad", "DBList2", "datZariad", "textZar",
              {
                  {0, "nazzar", V::Text, 0, false, C::FacilityCode, "Kód zariadenia", kFacilityTip, "dbcZar"},
                  {1, "adresa", V::Text, 0, false, C::FirstCapital, "Adresa", nullptr, nullptr},
                  {2, "vzar_od", V::Date, 12, false, C::Date, "Od", nullptr, nullptr},
                  {3, "vzar_do", V::Date, 12, false, C::Date, "Do", nullptr, nullptr},
              },
              nullptr, nullptr, nullptr, "akronym",
              {"cmdZarNovy", "cmdZarOpr", "cmdZarVym", "cmdZarZap", "cmdZarZapNew", "cmdZarSto"},
              "Zápis", "Zápis+nový",
              {{0, "Názov zariadenia je povinný údaj !"}},
              0, 0, true, true, true, -1,
              "Naozaj chceš vymazať zariadenie : ", "Výmaz zariadenia klienta", DeletePieces::Facility});
    f.append({K::Examinations, "Pza", 10, "k_vysetrenie", "DBList3", "datVysetrenie", "TextPza",
              {
                  {0, "datum", V::Date, 12, false, C::UniqueDate, "Dátum", nullptr, nullptr},
                  {1, "idkod_p", V::Text, 0, false, C::EmployeeKey, "Pracovník", kEmployeeTip, "DBCPza"},
              },
              "rtbPza", "popis", "Priebeh a závery vyšetrenia", nullptr,
              {"cmdPzaNovy", "cmdPzaOpr", "cmdPzaVym", "cmdPzaZap", "cmdPzaZapNew", "cmdPzaSto"},
              "Zápis", "Zápis+nový",
              {{0, kDateRequired}, {1, kEmployeeRequired}},
              -1, -1, false, false, true, 1,
              "Naozaj chceš vymazať záznam o vyšetrení zo dňa: ",
              "Výmaz priebehu a záverov špec.-ped.vyšetrenia", DeletePieces::DateAndClient});
    f.append({K::ActivityRecords, "Zsc", 11, "k_zaznam_spc", "DBList5", "datZaznam_spc", "textZsc",
              {
                  {0, "datum", V::Date, 12, false, C::UniqueDate, "Dátum", nullptr, nullptr},
                  {1, "hod_od", V::Text, 0, false, C::Hour, "Hodina od", nullptr, nullptr},
                  {2, "hod_do", V::Text, 0, false, C::Hour, "Hodina do", nullptr, nullptr},
                  {3, "idkod_P", V::Text, 0, false, C::EmployeeKey, "Pracovník", kEmployeeTip, "DBCZsc"},
              },
              "rtbZsc", "cinnost", "Činnosť", nullptr,
              {"cmdZscNovy", "cmdZscOpr", "cmdZscVym", "cmdZscZap", "cmdZscZapNew", "cmdZscSto"},
              "Zápis", "Zápis+nový",
              {{0, kDateRequired}, {3, kEmployeeRequired}},
              -1, -1, false, false, false, 3,
              "Naozaj chceš vymazať záznam o špeciálno-pedagogickej starostlivosti zo dňa: ",
              "Výmaz záznamu o špec.-ped.činnosti ", DeletePieces::DateAndClient});
    f.append({K::ChangeRecords, "Zaz", 12, "k_zaznam_zmeny", "DBList4", "datZaznam_zmeny", "TextZaz",
              {
                  {0, "datum", V::Date, 12, false, C::UniqueDate, "Dátum", nullptr, nullptr},
                  {1, "idkod_P", V::Text, 0, false, C::EmployeeKey, "Pracovník", kEmployeeTip, "DBCZaz"},
              },
              "rtbZaz", "zmeny", "Zaznamenané zmeny", nullptr,
              {"cmdZazNovy", "cmdZazOpr", "cmdZazVym", "cmdZazZap", "cmdZazZapNew", "cmdZazSto"},
              "Zápis", "Zápis+nový",
              {{0, kDateRequired}, {1, kEmployeeRequired}},
              -1, -1, false, false, false, 1,
              "Naozaj chceš vymazať zaznamenané zmeny zo dňa: ", "Výmaz záznamu o zmene",
              DeletePieces::DateAndClient});
    f.append({K::Visits, "Nav", 13, "k_navstevy", "DBList6", "datNavstevy", "textNav",
              {
                  {0, "datum", V::Date, 12, false, C::UniqueDate, "Dátum návštevy", nullptr, nullptr},
                  {1, "dat_budn", V::Date, 12, false, C::UniqueDate, "Dátum budúcej návštevy", nullptr, nullptr},
              },
              nullptr, nullptr, nullptr, nullptr,
              {"cmdNavNovy", "cmdNavOpr", "cmdNavVym", "cmdNavZap", "cmdNavZapNew", "cmdNavSto"},
              "Zápis", "Zápis + nový",
              {{0, "Dátum návštevy je povinný údaj !"}, {1, "Dátum budúcej návštevy je povinný údaj !"}},
              0, 0, false, false, false, -1,
              "Naozaj chceš vymazať zápis zo dňa: ", "Výmaz zápisu návštevy ", DeletePieces::Date});
    return f;
}

} // namespace

const QVector<SubRecordFamilyDef> &SubRecordFamilies::all()
{
    static const QVector<SubRecordFamilyDef> families = build();
    return families;
}

const SubRecordFamilyDef &SubRecordFamilies::of(SubRecordKind kind)
{
    for (const SubRecordFamilyDef &f : all())
        if (f.kind == kind)
            return f;
    return all().first();
}

const SubRecordFamilyDef *SubRecordFamilies::onTab(int tab)
{
    for (const SubRecordFamilyDef &f : all())
        if (f.tab == tab)
            return &f;
    return nullptr;
}

QStringList SubRecordFamilies::columns(const SubRecordFamilyDef &family)
{
    QStringList c;
    for (const SubRecordBoxDef &b : family.boxes)
        if (b.column)
            c << QString::fromLatin1(b.column);
    if (family.longTextColumn)
        c << QString::fromLatin1(family.longTextColumn);
    if (family.extraColumn)
        c << QString::fromLatin1(family.extraColumn);
    return c;
}

QString SubRecordFamilies::boxName(const SubRecordFamilyDef &family, int index)
{
    return QString::fromLatin1(family.boxArray) + QString::number(index);
}

QString SubRecordFamilies::buttonName(const SubRecordFamilyDef &family, SubRecordButton button)
{
    return QString::fromLatin1(family.buttons[int(button)]);
}

QString SubRecordFamilies::buttonCaption(const SubRecordFamilyDef &family, SubRecordButton button)
{
    switch (button) {
    case SubRecordButton::New: return QStringLiteral("Nový");
    case SubRecordButton::Edit: return QStringLiteral("Oprava");
    case SubRecordButton::Delete: return QStringLiteral("Výmaz");
    case SubRecordButton::Save: return QString::fromUtf8(family.saveCaption);
    case SubRecordButton::SaveNew: return QString::fromUtf8(family.saveNewCaption);
    case SubRecordButton::Cancel: return QStringLiteral("Storno");
    }
    return QString();
}

const SubRecordBoxDef &SubRecordFamilies::box(const SubRecordFamilyDef &family, int index)
{
    for (const SubRecordBoxDef &b : family.boxes)
        if (b.index == index)
            return b;
    return family.boxes.first();
}

} // namespace ulk
