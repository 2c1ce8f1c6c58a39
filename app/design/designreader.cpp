#include "design/designreader.h"

#include <span>
#include <string_view>

#include "design/advancedsettings.h"
#include "design/confirmedpositions.h"
#include "design/inivalues.h"
#include "design/numbertext.h"
#include "design/toolbarbuttons.h"

namespace dw::design {

namespace {

using Keys = std::span<const std::string_view>;

// The keys of each reading step of the load, in its order.
// clang-format off
constexpr std::string_view kMainKeys[] = {
    "erase", "hred", "hgreen", "hblue", "hw", "hd", "mred", "mgreen", "mblue", "mw", "md", "sred",
    "sgreen", "sblue", "sw", "sd", "radius", "innerradius", "centrex", "centrey", "copyfps",
    "timeh", "timem", "times", "setallcolors", "replacecolor", "replacewith", "duration", "useir",
    "synctest", "image", "secondreflection", "shrd", "jitter", "smoothminute", "smoothhour",
    "usebackground", "transr", "transg", "transb"};
constexpr std::string_view kEraseKeys[] = {"background", "edtX", "edtY"};
constexpr std::string_view kBitmapKeys[] = {
    "hourbitmap", "minutebitmap", "secondbitmap", "topbitmap", "chkBitmap", "smoothsecond",
    "bmptransr", "bmptransg", "bmptransb", "bmptopx", "bmptopy"};
constexpr std::string_view kInnerCircleKeys[] = {
    "fillir", "fillirr", "fillirg", "fillirb", "outlineir", "outlineirr", "outlineirg",
    "outlineirb", "outlineirw", "circ", "ctr", "ctg", "ctb", "rect"};
constexpr std::string_view kReflectionKeys[] = {
    "chkhhr", "edtHRLen", "chkmhr", "edtMRLen", "chkDigital"};
// clang-format on

// The advanced settings keys lie together in the table, "ac_chkhours" to "ac_edtPM".
constexpr std::size_t kFirstAdvancedKey = 69;
constexpr std::size_t kAdvancedKeyCount = 61;

void readByForm(const IniKey& entry, const std::string& value, ClockDesign& design,
                ToolbarButtons& toolbar) {
    switch (entry.form) {
    case ValueForm::Version:
        return;
    case ValueForm::NumberText:
    case ValueForm::Text:
    case ValueForm::ReformattedNumber:
    case ValueForm::FileName:
        design.*entry.text = value;
        return;
    case ValueForm::Check:
        design.*entry.number = checkValueOf(value);
        return;
    case ValueForm::Flag:
        toolbar.setToolbarButton(entry.button, flagValueOf(value) ? 1 : 0);
        return;
    case ValueForm::Integer:
        design.*entry.number = integerValueOf(value);
        return;
    case ValueForm::Boolean:
        design.*entry.boolean = booleanValueOf(value);
        return;
    }
}

// The font name decides whether size, bold and italic are read at all.
void readFont(const IniFile& file, ClockDesign& design, ToolbarButtons& toolbar) {
    const std::string name = trimmedText(file.readIniValue("ac_strFont"));
    if (name.size() == 1) {
        design.strFont.clear();
        design.lblFont.clear();
        return;
    }
    design.strFont = name;
    for (std::string_view key : {"ac_nFSize", "ac_bFBold", "ac_bFItalic"}) {
        readIniKey(file, iniKey(key), design, toolbar);
    }
    setFontLabel(design);
}

void readKeys(const IniFile& file, Keys keys, ClockDesign& design, ToolbarButtons& toolbar) {
    for (std::string_view key : keys) {
        readIniKey(file, iniKey(key), design, toolbar);
    }
}

void readAdvancedKeys(const IniFile& file, ClockDesign& design, ToolbarButtons& toolbar) {
    const auto& keys = iniKeys();
    for (std::size_t i = kFirstAdvancedKey; i < kFirstAdvancedKey + kAdvancedKeyCount; ++i) {
        const IniKey& entry = keys[i];
        if (entry.rule == ReadRule::FontDetail) {
            continue; // read with the font name
        }
        if (entry.rule == ReadRule::Font) {
            readFont(file, design, toolbar);
            continue;
        }
        readIniKey(file, entry, design, toolbar);
        if (entry.key == "ac_dcLeft") {
            setPos(design);
        }
    }
}

} // namespace

void readIniKey(const IniFile& file, const IniKey& entry, ClockDesign& design,
                ToolbarButtons& toolbar) {
    const std::string value = file.readIniValue(entry.nameToRead());
    switch (entry.rule) {
    case ReadRule::TypedPosition:
        design.*entry.typed = value;
        return;
    case ReadRule::MainPicture:
        design.*entry.text = pictureNameOf(value);
        return;
    case ReadRule::BitmapName:
        design.*entry.text = trimmedText(value);
        return;
    case ReadRule::Font:
        design.*entry.text = trimmedText(value).size() == 1 ? std::string() : trimmedText(value);
        return;
    case ReadRule::DisplayOrder:
        design.*entry.text = displayOrderOf(value);
        return;
    case ReadRule::Plain:
    case ReadRule::FontDetail:
        readByForm(entry, value, design, toolbar);
        return;
    }
}

double readDesign(const IniFile& file, ClockDesign& design, ToolbarButtons& toolbar,
                  const LoadHooks& hooks) {
    vectorDefaults(design);
    otherDefaults(design);
    const double version = leadingNumber(file.readIniValue("version"));
    const bool older = version < kIniVersion;

    readKeys(file, kMainKeys, design, toolbar);
    // The picked colour starts as the erase transparency colour.
    design.pointred = int16Of(design.transr);
    design.pointgreen = int16Of(design.transg);
    design.pointblue = int16Of(design.transb);

    readKeys(file, kEraseKeys, design, toolbar);
    cmdSetTopLeft_Click(design);
    if (older && hooks.upgradeIni) {
        hooks.upgradeIni(version, kIniVersion);
    }

    readKeys(file, kBitmapKeys, design, toolbar);
    cmdBMPcentre_Click(design);
    if (hooks.loadPictures) {
        hooks.loadPictures();
    }

    readKeys(file, kInnerCircleKeys, design, toolbar);
    readAdvancedKeys(file, design, toolbar);
    readKeys(file, kReflectionKeys, design, toolbar);
    if (older) {
        // An older file's advanced settings are the defaults, whatever it holds.
        applyVersion09Defaults(design);
        vectorDefaults(design);
        otherDefaults(design);
    }
    readIniKey(file, iniKey("displayOrder"), design, toolbar);
    return version;
}

} // namespace dw::design
