#include "platform/system_language.h"

namespace pelto::platform {

namespace {

struct TerritoryId {
    QLocale::Territory territory;
    std::uint16_t id;
};

template <std::size_t N>
std::uint16_t pick(const TerritoryId (&table)[N], QLocale::Territory territory,
                   std::uint16_t fallback)
{
    for (const TerritoryId& entry : table) {
        if (entry.territory == territory)
            return entry.id;
    }
    return fallback;
}

constexpr TerritoryId kChinese[] = {
    {QLocale::China, 0x0804},
    {QLocale::Singapore, 0x1004},
    {QLocale::Taiwan, 0x0404},
    {QLocale::HongKong, 0x0C04},
    // Macao writes traditional characters, as Hong Kong does.
    {QLocale::Macao, 0x0C04},
};

constexpr TerritoryId kArabic[] = {
    {QLocale::SaudiArabia, 0x0401}, {QLocale::Iraq, 0x0801},
    {QLocale::Egypt, 0x0C01},       {QLocale::Libya, 0x1001},
    {QLocale::Algeria, 0x1401},     {QLocale::Morocco, 0x1801},
    {QLocale::Tunisia, 0x1C01},     {QLocale::Oman, 0x2001},
    {QLocale::Yemen, 0x2401},       {QLocale::Syria, 0x2801},
    {QLocale::Jordan, 0x2C01},      {QLocale::Lebanon, 0x3001},
    {QLocale::Kuwait, 0x3401},      {QLocale::UnitedArabEmirates, 0x3801},
    {QLocale::Bahrain, 0x3C01},     {QLocale::Qatar, 0x4001},
};

constexpr TerritoryId kGerman[] = {
    {QLocale::Germany, 0x0407},    {QLocale::Switzerland, 0x0807},
    {QLocale::Austria, 0x0C07},    {QLocale::Luxembourg, 0x1007},
    {QLocale::Liechtenstein, 0x1407},
};

constexpr TerritoryId kSpanish[] = {
    {QLocale::Spain, 0x0C0A},          {QLocale::Mexico, 0x080A},
    {QLocale::Guatemala, 0x100A},      {QLocale::CostaRica, 0x140A},
    {QLocale::Panama, 0x180A},         {QLocale::DominicanRepublic, 0x1C0A},
    {QLocale::Venezuela, 0x200A},      {QLocale::Colombia, 0x240A},
    {QLocale::Peru, 0x280A},           {QLocale::Argentina, 0x2C0A},
    {QLocale::Ecuador, 0x300A},        {QLocale::Chile, 0x340A},
    {QLocale::Uruguay, 0x380A},        {QLocale::Paraguay, 0x3C0A},
    {QLocale::Bolivia, 0x400A},        {QLocale::ElSalvador, 0x440A},
    {QLocale::Honduras, 0x480A},       {QLocale::Nicaragua, 0x4C0A},
    {QLocale::PuertoRico, 0x500A},
};

constexpr TerritoryId kFrench[] = {
    {QLocale::France, 0x040C},      {QLocale::Belgium, 0x080C},
    {QLocale::Canada, 0x0C0C},      {QLocale::Switzerland, 0x100C},
    {QLocale::Luxembourg, 0x140C},  {QLocale::Monaco, 0x180C},
};

}  // namespace

std::uint16_t LanguageIdFor(QLocale::Language language, QLocale::Territory territory)
{
    switch (language) {
    case QLocale::Chinese: return pick(kChinese, territory, 0x0804);
    case QLocale::Arabic: return pick(kArabic, territory, 0x0401);
    case QLocale::German: return pick(kGerman, territory, 0x0407);
    case QLocale::Spanish: return pick(kSpanish, territory, 0x0C0A);
    case QLocale::French: return pick(kFrench, territory, 0x040C);
    case QLocale::English: return territory == QLocale::UnitedKingdom ? 0x0809 : 0x0409;
    case QLocale::Italian: return territory == QLocale::Switzerland ? 0x0810 : 0x0410;
    case QLocale::Dutch: return territory == QLocale::Belgium ? 0x0813 : 0x0413;
    case QLocale::Swedish: return territory == QLocale::Finland ? 0x081D : 0x041D;
    // Every Portuguese-speaking territory but Brazil follows the European standard.
    case QLocale::Portuguese: return territory == QLocale::Brazil ? 0x0416 : 0x0816;
    case QLocale::Croatian: return 0x041A;
    // Serbian is written in both scripts; the Latin identifier is the one with a file.
    case QLocale::Serbian: return 0x081A;
    case QLocale::Korean: return 0x0412;
    case QLocale::NorwegianBokmal: return 0x0414;
    case QLocale::NorwegianNynorsk: return 0x0814;
    case QLocale::Bulgarian: return 0x0402;
    case QLocale::Catalan: return 0x0403;
    case QLocale::Czech: return 0x0405;
    case QLocale::Danish: return 0x0406;
    case QLocale::Greek: return 0x0408;
    case QLocale::Finnish: return 0x040B;
    case QLocale::Hebrew: return 0x040D;
    case QLocale::Hungarian: return 0x040E;
    case QLocale::Japanese: return 0x0411;
    case QLocale::Polish: return 0x0415;
    case QLocale::Romanian: return 0x0418;
    case QLocale::Russian: return 0x0419;
    case QLocale::Slovak: return 0x041B;
    case QLocale::Thai: return 0x041E;
    case QLocale::Turkish: return 0x041F;
    case QLocale::Ukrainian: return 0x0422;
    case QLocale::Slovenian: return 0x0424;
    case QLocale::Estonian: return 0x0425;
    case QLocale::Vietnamese: return 0x042A;
    case QLocale::Afrikaans: return 0x0436;
    default: return 0x0409;
    }
}

std::uint16_t SystemLanguageId()
{
    const QLocale locale = QLocale::system();
    return LanguageIdFor(locale.language(), locale.territory());
}

}  // namespace pelto::platform
