#include "client/LegalRepresentative.h"

namespace ulk::LegalRepresentative {

namespace {
// Fields 50 .. 56 and what fills them: the mother's and the father's name,
// (relation), town, street, postcode, phone, e-mail.
constexpr int kMother[fieldCount] = {20, -1, 25, 24, 26, 27, 28};
constexpr int kFather[fieldCount] = {35, -1, 40, 39, 41, 42, 43};
} // namespace

QString relation(int option)
{
    if (option == motherOption)
        return QStringLiteral("matka");
    if (option == fatherOption)
        return QStringLiteral("otec");
    return QString();
}

int sourceField(int option, int representativeField)
{
    const int k = representativeField - firstField;
    if (k < 0 || k >= fieldCount)
        return -1;
    if (option == motherOption)
        return kMother[k];
    if (option == fatherOption)
        return kFather[k];
    return -1;
}

QStringList fill(int option, const std::function<QString(int)> &textOf)
{
    if (option != motherOption && option != fatherOption && option != otherOption)
        return {};
    QStringList texts;
    for (int f = firstField; f < firstField + fieldCount; ++f) {
        const int source = sourceField(option, f);
        if (source >= 0)
            texts << (textOf ? textOf(source) : QString());
        else if (f == firstField + 1)
            texts << relation(option);
        else
            texts << QString();
    }
    return texts;
}

} // namespace ulk::LegalRepresentative
