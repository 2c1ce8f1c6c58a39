#include "design/inikeys.h"

#include <cstdlib>

namespace dw::design {

namespace {

using D = ClockDesign;

constexpr IniKey numberText(std::string_view key, std::string D::*field) {
    return {.key = key, .form = ValueForm::NumberText, .text = field};
}
constexpr IniKey text(std::string_view key, std::string D::*field) {
    return {.key = key, .form = ValueForm::Text, .text = field};
}
constexpr IniKey check(std::string_view key, std::int16_t D::*field,
                       std::string_view readName = {}) {
    return {.key = key, .form = ValueForm::Check, .number = field, .readName = readName};
}
constexpr IniKey flag(std::string_view key, std::string_view button) {
    return {.key = key, .form = ValueForm::Flag, .button = button};
}
constexpr IniKey integer(std::string_view key, std::int16_t D::*field) {
    return {.key = key, .form = ValueForm::Integer, .number = field};
}
// An integer confirmed from a typed box: the load reads the text into the box.
constexpr IniKey position(std::string_view key, std::int16_t D::*field, std::string D::*typed) {
    return {.key = key,
            .form = ValueForm::Integer,
            .number = field,
            .rule = ReadRule::TypedPosition,
            .typed = typed};
}
constexpr IniKey fileName(std::string_view key, std::string D::*field, ReadRule rule) {
    return {.key = key, .form = ValueForm::FileName, .text = field, .rule = rule};
}

constexpr std::array<IniKey, kIniKeyCount> kKeys{{
    {.key = "version", .form = ValueForm::Version},
    numberText("hred", &D::hred),
    numberText("hgreen", &D::hgreen),
    numberText("hblue", &D::hblue),
    numberText("hw", &D::hw),
    numberText("hd", &D::hd),
    numberText("mred", &D::mred),
    numberText("mgreen", &D::mgreen),
    numberText("mblue", &D::mblue),
    numberText("mw", &D::mw),
    numberText("md", &D::md),
    numberText("sred", &D::sred),
    numberText("sgreen", &D::sgreen),
    numberText("sblue", &D::sblue),
    numberText("sw", &D::sw),
    numberText("sd", &D::sd),
    numberText("radius", &D::radius),
    numberText("innerradius", &D::innerradius),
    integer("centrex", &D::centrex),
    integer("centrey", &D::centrey),
    numberText("copyfps", &D::copyfps),
    numberText("timeh", &D::timeh),
    numberText("timem", &D::timem),
    numberText("times", &D::times),
    numberText("setallcolors", &D::setallcolors),
    numberText("replacecolor", &D::replacecolor),
    numberText("replacewith", &D::replacewith),
    numberText("duration", &D::duration),
    check("useir", &D::useir),
    check("synctest", &D::synctest),
    fileName("image", &D::image, ReadRule::MainPicture),
    check("erase", &D::erase),
    check("secondreflection", &D::secondreflection),
    {.key = "shrd", .form = ValueForm::ReformattedNumber, .text = &D::shrd},
    flag("jitter", "IDM_JITTERS"),
    flag("smoothminute", "IDM_SMOOTHM"),
    flag("smoothhour", "IDM_SMOOTHH"),
    check("usebackground", &D::usebackground),
    numberText("transr", &D::transr),
    numberText("transg", &D::transg),
    numberText("transb", &D::transb),
    numberText("edtX", &D::edtX),
    numberText("edtY", &D::edtY),
    fileName("background", &D::background, ReadRule::MainPicture),
    fileName("hourbitmap", &D::hourbitmap, ReadRule::BitmapName),
    fileName("minutebitmap", &D::minutebitmap, ReadRule::BitmapName),
    fileName("secondbitmap", &D::secondbitmap, ReadRule::BitmapName),
    fileName("topbitmap", &D::topbitmap, ReadRule::BitmapName),
    check("chkBitmap", &D::chkBitmap),
    flag("smoothsecond", "IDM_SMOOTHS"),
    numberText("bmptransr", &D::bmptransr),
    numberText("bmptransg", &D::bmptransg),
    numberText("bmptransb", &D::bmptransb),
    position("bmptopx", &D::bmptopx, &D::edtBMPX),
    position("bmptopy", &D::bmptopy, &D::edtBMPY),
    check("fillir", &D::fillir),
    numberText("fillirr", &D::fillirr),
    numberText("fillirg", &D::fillirg),
    numberText("fillirb", &D::fillirb),
    check("outlineir", &D::outlineir),
    numberText("outlineirr", &D::outlineirr),
    numberText("outlineirg", &D::outlineirg),
    numberText("outlineirb", &D::outlineirb),
    numberText("outlineirw", &D::outlineirw),
    check("circ", &D::circ),
    check("rect", &D::rect),
    numberText("ctr", &D::ctr),
    numberText("ctg", &D::ctg),
    numberText("ctb", &D::ctb),
    // The advanced settings window.
    check("ac_chkhours", &D::ac_chkhours),
    numberText("ac_hhc", &D::ac_hhc),
    numberText("ac_hpd", &D::ac_hpd),
    check("ac_chkhfill", &D::ac_chkhfill),
    check("ac_chkhoutline", &D::ac_chkhoutline),
    numberText("ac_fpvh_fillR", &D::ac_fpvh_fillR),
    numberText("ac_fpvh_fillG", &D::ac_fpvh_fillG),
    numberText("ac_fpvh_fillB", &D::ac_fpvh_fillB),
    numberText("ac_fpvh_outR", &D::ac_fpvh_outR),
    numberText("ac_fpvh_outG", &D::ac_fpvh_outG),
    numberText("ac_fpvh_outB", &D::ac_fpvh_outB),
    numberText("ac_fpvh_HW", &D::ac_fpvh_HW),
    check("ac_chkminutes", &D::ac_chkminutes),
    numberText("ac_mhc", &D::ac_mhc),
    numberText("ac_mpd", &D::ac_mpd),
    check("ac_chkmfill", &D::ac_chkmfill),
    check("ac_chkmoutline", &D::ac_chkmoutline),
    numberText("ac_fpvm_fillR", &D::ac_fpvm_fillR),
    numberText("ac_fpvm_fillG", &D::ac_fpvm_fillG),
    numberText("ac_fpvm_fillB", &D::ac_fpvm_fillB),
    numberText("ac_fpvm_outR", &D::ac_fpvm_outR),
    numberText("ac_fpvm_outG", &D::ac_fpvm_outG),
    numberText("ac_fpvm_outB", &D::ac_fpvm_outB),
    numberText("ac_fpvm_HW", &D::ac_fpvm_HW),
    check("ac_chkseconds", &D::ac_chkseconds),
    numberText("ac_shc", &D::ac_shc),
    numberText("ac_spd", &D::ac_spd),
    check("ac_chksfill", &D::ac_chksfill),
    check("ac_chksoutline", &D::ac_chksoutline),
    numberText("ac_fpvs_fillR", &D::ac_fpvs_fillR),
    numberText("ac_fpvs_fillG", &D::ac_fpvs_fillG),
    numberText("ac_fpvs_fillB", &D::ac_fpvs_fillB),
    numberText("ac_fpvs_outR", &D::ac_fpvs_outR),
    numberText("ac_fpvs_outG", &D::ac_fpvs_outG),
    numberText("ac_fpvs_outB", &D::ac_fpvs_outB),
    numberText("ac_fpvs_HW", &D::ac_fpvs_HW),
    check("ac_straighten", &D::ac_straighten),
    check("ac_chkFlash", &D::ac_chkFlash),
    numberText("ac_FlashEvery", &D::ac_FlashEvery),
    text("ac_edtHead", &D::ac_edtHead),
    text("ac_edtHourSep", &D::ac_edtHourSep),
    text("ac_edtMinSep", &D::ac_edtMinSep),
    text("ac_edtTail", &D::ac_edtTail),
    {.key = "ac_strFont", .form = ValueForm::Text, .text = &D::strFont, .rule = ReadRule::Font},
    {.key = "ac_nFSize",
     .form = ValueForm::Integer,
     .number = &D::nFSize,
     .rule = ReadRule::FontDetail},
    {.key = "ac_bFBold",
     .form = ValueForm::Boolean,
     .boolean = &D::bFBold,
     .rule = ReadRule::FontDetail},
    {.key = "ac_bFItalic",
     .form = ValueForm::Boolean,
     .boolean = &D::bFItalic,
     .rule = ReadRule::FontDetail},
    numberText("ac_edtSepR", &D::ac_edtSepR),
    numberText("ac_edtSepG", &D::ac_edtSepG),
    numberText("ac_edtSepB", &D::ac_edtSepB),
    position("ac_dcTop", &D::nDigitalTop, &D::edtTop),
    position("ac_dcLeft", &D::nDigitalLeft, &D::edtLeft),
    check("ac_chkInitiallyOn", &D::ac_chkInitiallyOn),
    check("ac_chkHourMode", &D::ac_chkHourMode),
    check("ac_chkAMPM", &D::ac_chkAMPM),
    check("ac_chkAMPMpos", &D::ac_chkAMPMpos),
    check("ac_chkAsc", &D::ac_chkAsc),
    check("ac_chkSecondsOnly", &D::ac_chkSecondsOnly),
    check("ac_chkZE", &D::ac_chkZE),
    text("ac_edtAM", &D::ac_edtAM),
    text("ac_edtPM", &D::ac_edtPM),
    // The design window again.
    check("chkhhr", &D::chkhhr),
    numberText("edtHRLen", &D::edtHRLen),
    check("chkmhr", &D::chkmhr),
    numberText("edtMRLen", &D::edtMRLen),
    {.key = "displayOrder",
     .form = ValueForm::Text,
     .text = &D::displayOrder,
     .rule = ReadRule::DisplayOrder},
    check("chkDigital", &D::chkDigital, "chkdigital"),
}};

} // namespace

const std::array<IniKey, kIniKeyCount>& iniKeys() {
    return kKeys;
}

const IniKey* findIniKey(std::string_view key) {
    for (const IniKey& entry : kKeys) {
        if (entry.key == key) {
            return &entry;
        }
    }
    return nullptr;
}

const IniKey& iniKey(std::string_view key) {
    const IniKey* entry = findIniKey(key);
    if (entry == nullptr) {
        std::abort(); // a key name written in the program that the table lacks
    }
    return *entry;
}

} // namespace dw::design
