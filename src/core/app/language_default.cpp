#include "core/app/language_default.h"

namespace pelto::core {

std::string DefaultLanguageFile(std::uint16_t langId, bool codePage936Installed,
                                bool codePage950Installed)
{
    switch (langId) {
    case 0x0804: case 0x1004:
        return codePage936Installed ? "chs.lng" : "eng.lng";
    case 0x0404: case 0x0C04:
        return codePage950Installed ? "cht.lng" : "eng.lng";
    case 0x0401: case 0x0801: case 0x0C01: case 0x1001: case 0x1401: case 0x1801:
    case 0x1C01: case 0x2001: case 0x2401: case 0x2801: case 0x2C01: case 0x3001:
    case 0x3401: case 0x3801: case 0x3C01: case 0x4001:
        return "ara.lng";
    case 0x0402: return "bul.lng";
    case 0x0403: return "cat.lng";
    case 0x0405: return "cze.lng";
    case 0x0406: return "dan.lng";
    case 0x0407: case 0x0807: case 0x0C07: case 0x1007: case 0x1407:
        return "ger.lng";
    case 0x0408: return "gre.lng";
    case 0x040A: case 0x080A: case 0x0C0A: case 0x100A: case 0x140A: case 0x180A:
    case 0x1C0A: case 0x200A: case 0x240A: case 0x280A: case 0x2C0A: case 0x300A:
    case 0x340A: case 0x3C0A: case 0x400A: case 0x440A: case 0x480A: case 0x4C0A:
    case 0x500A:
        return "spa.lng";
    case 0x380A: return "uru.lng";
    case 0x040B: return "fin.lng";
    case 0x040C: case 0x080C: case 0x0C0C: case 0x100C: case 0x140C: case 0x180C:
        return "fre.lng";
    case 0x040D: return "heb.lng";
    case 0x040E: return "hun.lng";
    case 0x0410: case 0x0810: return "ita.lng";
    case 0x0411: return "jpn.lng";
    case 0x0412: case 0x0812: return "kor.lng";
    case 0x0413: case 0x0813: return "dut.lng";
    case 0x0414: return "nor.lng";
    case 0x0814: return "nyn.lng";
    case 0x0415: return "pol.lng";
    case 0x0416: return "por.lng";
    case 0x0816: return "peu.lng";
    case 0x0418: return "rom.lng";
    case 0x0419: return "rus.lng";
    case 0x041A: case 0x081A: return "cro.lng";
    case 0x041B: return "slk.lng";
    case 0x041D: case 0x081D: return "swe.lng";
    case 0x041E: return "tha.lng";
    case 0x041F: return "tur.lng";
    case 0x0422: return "ukr.lng";
    case 0x0424: return "slo.lng";
    case 0x0425: return "est.lng";
    case 0x042A: return "vna.lng";
    case 0x0436: return "afr.lng";
    case 0x0809: return "euk.lng";
    default: return "eng.lng";
    }
}

}  // namespace pelto::core
