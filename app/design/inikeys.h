#pragma once
// The 136 keys of the design file in write order, one table that names each key's value form and
// the design field it stores. Saving, loading (and resetting and upgrading) walk this table.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "design/clockdesign.h"

namespace dw::design {

inline constexpr std::string_view kIniSection = "clock";
inline constexpr std::string_view kIniVersionText = "0.9";
inline constexpr double kIniVersion = 0.9;
// What reading a missing key (or section, or file) yields.
inline constexpr std::string_view kMissingIniValue = "0";

enum class ValueForm {
    Version,           // the text "0.9"
    NumberText,        // the text as typed
    Text,              // the text as typed
    Check,             // "0", "1" or "2"
    Flag,              // a toolbar button: "0" up, "1" pressed
    Integer,           // decimal digits, "-" when negative
    ReformattedNumber, // the number in shortest decimal form (".5")
    Boolean,           // "True" / "False"
    FileName,          // a picture name relative to the design file's folder
};

// What a load does with a value beyond what its form says.
enum class ReadRule {
    Plain,
    TypedPosition, // the text goes into the typed box; the load confirms the position after
    MainPicture,   // fewer than two characters mean no picture
    BitmapName,    // blanks trimmed
    Font,          // a one-character name means no font and no size, bold or italic to read
    FontDetail,    // read only when a font was read
    DisplayOrder,  // one of the six orders, else "shm"
};

struct IniKey {
    std::string_view key = {};
    ValueForm form = ValueForm::NumberText;
    std::string ClockDesign::*text = nullptr;    // number text, text, re-formatted, file name
    std::int16_t ClockDesign::*number = nullptr; // check, integer
    bool ClockDesign::*boolean = nullptr;        // boolean
    std::string_view button = {};                // flag: the toolbar button key
    ReadRule rule = ReadRule::Plain;
    std::string ClockDesign::*typed = nullptr; // TypedPosition: where the read text goes
    std::string_view readName = {};            // the name a load asks for, when it differs

    std::string_view nameToRead() const { return readName.empty() ? key : readName; }
};

inline constexpr std::size_t kIniKeyCount = 136;

// The table, in write order: "version" first, "chkDigital" last.
const std::array<IniKey, kIniKeyCount>& iniKeys();

// The entry of `key` (exact spelling of the table); nullptr when there is none.
const IniKey* findIniKey(std::string_view key);

// The entry of `key`; the key must be in the table (a programming error otherwise).
const IniKey& iniKey(std::string_view key);

} // namespace dw::design
