#include "design/designreader.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "design/designwriter.h"
#include "design/inivalues.h"
#include "design/numbertext.h"
#include "design/runtimeerror.h"
#include "design/toolbarbuttons.h"
#include "dw/platform/fileprofilestore.h"
#include "recordinghost.h"
#include "recordingprofilestore.h"
#include "scratchfolder.h"

using namespace dw::design;
using dw::testing::RecordingHost;
using dw::testing::RecordingProfileStore;

namespace {

class DesignReaderTest : public testing::Test {
protected:
    RecordingHost host;
    ToolbarButtons toolbar{host};
    ClockDesign design;
    RecordingProfileStore store;
    IniFile file{store, "/designs/clock.ini"};

    void setFile(const std::string& keys) { store.setFile(file.path(), "[clock]\r\n" + keys); }
    double load(const LoadHooks& hooks = {}) { return readDesign(file, design, toolbar, hooks); }

    // The description of the run-time error that stopped the load, empty when none did.
    std::string loadError() {
        try {
            load();
        } catch (const RuntimeError& e) {
            return e.description();
        }
        return "";
    }
};

} // namespace

TEST_F(DesignReaderTest, fileWithEveryKeyLoadsEveryField) {
    dw::platform::FileProfileStore disk;
    const IniFile allKeys(disk, DW_TEST_DATA_DIR "/design-ini/all-keys.ini");
    EXPECT_EQ(readDesign(allKeys, design, toolbar), 0.9);
    const ClockDesign& d = design;
    // In the file every text field holds its own key and the checks run 0, 1, 2, 0, ...
    // clang-format off
#define TEXT(field) EXPECT_EQ(d.field, #field)
#define CHECK(field, value) EXPECT_EQ(d.field, value) << #field
    TEXT(hred); TEXT(hgreen); TEXT(hblue); TEXT(hw); TEXT(hd); TEXT(mred); TEXT(mgreen);
    TEXT(mblue); TEXT(mw); TEXT(md); TEXT(sred); TEXT(sgreen); TEXT(sblue); TEXT(sw); TEXT(sd);
    TEXT(radius); TEXT(innerradius); TEXT(copyfps); TEXT(timeh); TEXT(timem); TEXT(times);
    TEXT(setallcolors); TEXT(replacecolor); TEXT(replacewith); TEXT(duration); TEXT(transr);
    TEXT(transg); TEXT(transb); TEXT(edtX); TEXT(edtY); TEXT(bmptransr); TEXT(bmptransg);
    TEXT(bmptransb); TEXT(fillirr); TEXT(fillirg); TEXT(fillirb); TEXT(outlineirr);
    TEXT(outlineirg); TEXT(outlineirb); TEXT(outlineirw); TEXT(ctr); TEXT(ctg); TEXT(ctb);
    TEXT(ac_hhc); TEXT(ac_hpd); TEXT(ac_fpvh_fillR); TEXT(ac_fpvh_fillG); TEXT(ac_fpvh_fillB);
    TEXT(ac_fpvh_outR); TEXT(ac_fpvh_outG); TEXT(ac_fpvh_outB); TEXT(ac_fpvh_HW); TEXT(ac_mhc);
    TEXT(ac_mpd); TEXT(ac_fpvm_fillR); TEXT(ac_fpvm_fillG); TEXT(ac_fpvm_fillB);
    TEXT(ac_fpvm_outR); TEXT(ac_fpvm_outG); TEXT(ac_fpvm_outB); TEXT(ac_fpvm_HW); TEXT(ac_shc);
    TEXT(ac_spd); TEXT(ac_fpvs_fillR); TEXT(ac_fpvs_fillG); TEXT(ac_fpvs_fillB);
    TEXT(ac_fpvs_outR); TEXT(ac_fpvs_outG); TEXT(ac_fpvs_outB); TEXT(ac_fpvs_HW);
    TEXT(ac_FlashEvery); TEXT(ac_edtHead); TEXT(ac_edtHourSep); TEXT(ac_edtMinSep);
    TEXT(ac_edtTail); TEXT(ac_edtSepR); TEXT(ac_edtSepG); TEXT(ac_edtSepB); TEXT(ac_edtAM);
    TEXT(ac_edtPM); TEXT(edtHRLen); TEXT(edtMRLen); CHECK(useir, 0); CHECK(synctest, 1);
    CHECK(erase, 2); CHECK(secondreflection, 0); CHECK(usebackground, 1); CHECK(chkBitmap, 2);
    CHECK(fillir, 0); CHECK(outlineir, 1); CHECK(circ, 2); CHECK(rect, 0); CHECK(ac_chkhours, 1);
    CHECK(ac_chkhfill, 2); CHECK(ac_chkhoutline, 0); CHECK(ac_chkminutes, 1);
    CHECK(ac_chkmfill, 2); CHECK(ac_chkmoutline, 0); CHECK(ac_chkseconds, 1);
    CHECK(ac_chksfill, 2); CHECK(ac_chksoutline, 0); CHECK(ac_straighten, 1);
    CHECK(ac_chkFlash, 2); CHECK(ac_chkInitiallyOn, 0); CHECK(ac_chkHourMode, 1);
    CHECK(ac_chkAMPM, 2); CHECK(ac_chkAMPMpos, 0); CHECK(ac_chkAsc, 1);
    CHECK(ac_chkSecondsOnly, 2); CHECK(ac_chkZE, 0); CHECK(chkhhr, 1); CHECK(chkmhr, 2);
    CHECK(chkDigital, 0);
    // clang-format on
#undef TEXT
#undef CHECK
    EXPECT_EQ(d.centrex, 123);
    EXPECT_EQ(d.centrey, -45);
    EXPECT_EQ(d.shrd, ".5");
    EXPECT_EQ(d.edtBMPX, "-7");
    EXPECT_EQ(d.bmptopx, -7);
    EXPECT_EQ(d.bmptopy, 8);
    EXPECT_EQ(d.lblConfirmedBMPXY, "(-7, 8)");
    EXPECT_EQ(d.edtTop, "30");
    EXPECT_EQ(d.nDigitalTop, 30);
    EXPECT_EQ(d.nDigitalLeft, -20);
    EXPECT_EQ(d.advancedLblConfirmedXY, "(-20, 30)");
    EXPECT_EQ(d.lblConfirmedXY, "(0, 0)") << "edtX holds no number";
    EXPECT_EQ(d.image, "face.bmp");
    EXPECT_EQ(d.background, "erase_bg.bmp");
    EXPECT_EQ(d.hourbitmap, "hour.bmp");
    EXPECT_EQ(d.minutebitmap, "minute.bmp");
    EXPECT_EQ(d.secondbitmap, "second.bmp");
    EXPECT_EQ(d.topbitmap, "top.bmp");
    EXPECT_EQ(d.strFont, "DejaVu Sans");
    EXPECT_EQ(d.nFSize, 11);
    EXPECT_TRUE(d.bFBold);
    EXPECT_FALSE(d.bFItalic);
    EXPECT_EQ(d.lblFont, "DejaVu Sans, 11, bold");
    EXPECT_EQ(d.displayOrder, "msh");
    EXPECT_EQ(toolbar.getToolbarButton("IDM_JITTERS"), 1);
    EXPECT_EQ(toolbar.getToolbarButton("IDM_SMOOTHM"), 0);
    EXPECT_EQ(toolbar.getToolbarButton("IDM_SMOOTHH"), 1);
    EXPECT_EQ(toolbar.getToolbarButton("IDM_SMOOTHS"), 1);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(DesignReaderTest, readsTheKeysInTheLoadOrder) {
    setFile("version=0.9\r\nac_strFont=Serif\r\n");
    load();
    // clang-format off
    const std::vector<std::string> expected{
        "version", "erase", "hred", "hgreen", "hblue", "hw", "hd", "mred", "mgreen", "mblue", "mw",
        "md", "sred", "sgreen", "sblue", "sw", "sd", "radius", "innerradius", "centrex", "centrey",
        "copyfps", "timeh", "timem", "times", "setallcolors", "replacecolor", "replacewith",
        "duration", "useir", "synctest", "image", "secondreflection", "shrd", "jitter",
        "smoothminute", "smoothhour", "usebackground", "transr", "transg", "transb", "background",
        "edtX", "edtY", "hourbitmap", "minutebitmap", "secondbitmap", "topbitmap", "chkBitmap",
        "smoothsecond", "bmptransr", "bmptransg", "bmptransb", "bmptopx", "bmptopy", "fillir",
        "fillirr", "fillirg", "fillirb", "outlineir", "outlineirr", "outlineirg", "outlineirb",
        "outlineirw", "circ", "ctr", "ctg", "ctb", "rect", "ac_chkhours", "ac_hhc", "ac_hpd",
        "ac_chkhfill", "ac_chkhoutline", "ac_fpvh_fillR", "ac_fpvh_fillG", "ac_fpvh_fillB",
        "ac_fpvh_outR", "ac_fpvh_outG", "ac_fpvh_outB", "ac_fpvh_HW", "ac_chkminutes", "ac_mhc",
        "ac_mpd", "ac_chkmfill", "ac_chkmoutline", "ac_fpvm_fillR", "ac_fpvm_fillG",
        "ac_fpvm_fillB", "ac_fpvm_outR", "ac_fpvm_outG", "ac_fpvm_outB", "ac_fpvm_HW",
        "ac_chkseconds", "ac_shc", "ac_spd", "ac_chksfill", "ac_chksoutline", "ac_fpvs_fillR",
        "ac_fpvs_fillG", "ac_fpvs_fillB", "ac_fpvs_outR", "ac_fpvs_outG", "ac_fpvs_outB",
        "ac_fpvs_HW", "ac_straighten", "ac_chkFlash", "ac_FlashEvery", "ac_edtHead",
        "ac_edtHourSep", "ac_edtMinSep", "ac_edtTail", "ac_strFont", "ac_nFSize", "ac_bFBold",
        "ac_bFItalic", "ac_edtSepR", "ac_edtSepG", "ac_edtSepB", "ac_dcTop", "ac_dcLeft",
        "ac_chkInitiallyOn", "ac_chkHourMode", "ac_chkAMPM", "ac_chkAMPMpos", "ac_chkAsc",
        "ac_chkSecondsOnly", "ac_chkZE", "ac_edtAM", "ac_edtPM", "chkhhr", "edtHRLen", "chkmhr",
        "edtMRLen", "chkdigital", "displayOrder"};
    // clang-format on
    EXPECT_EQ(store.readKeys, expected);
}

TEST_F(DesignReaderTest, hooksRunAtTheirStepsOfTheLoad) {
    setFile("version=0.5\r\nbackground=bg.bmp\r\nedtX=5\r\nhourbitmap=h.bmp\r\nbmptopx=3\r\n"
            "fillir=1\r\nimage=face.bmp\r\n");
    design.hourbitmap = "before";
    std::vector<std::string> seen;
    LoadHooks hooks;
    hooks.upgradeIni = [&](double from, double to) {
        seen.push_back("upgrade " + shortestDecimal(from) + " " + shortestDecimal(to) + " " +
                       design.background + " " + std::to_string(design.eraseTopLeftX) + " " +
                       design.hourbitmap);
    };
    hooks.loadPictures = [&] {
        seen.push_back("pictures " + design.hourbitmap + " " + std::to_string(design.bmptopx) +
                       " " + std::to_string(design.fillir));
        design.image.clear(); // the loader found nothing under this name
    };
    EXPECT_EQ(load(hooks), 0.5);
    EXPECT_EQ(seen,
              (std::vector<std::string>{"upgrade .5 .9 bg.bmp 5 before", "pictures h.bmp 3 0"}));
    EXPECT_EQ(design.image, "") << "the name the loader returned stays";
    EXPECT_EQ(design.fillir, 1);
}

TEST_F(DesignReaderTest, missingFileReadsAsAnOlderFileWithoutKeys) {
    int upgrades = 0;
    LoadHooks hooks;
    hooks.upgradeIni = [&](double from, double to) {
        ++upgrades;
        EXPECT_EQ(from, 0.0);
        EXPECT_EQ(to, 0.9);
    };
    EXPECT_EQ(load(hooks), 0.0);
    EXPECT_EQ(upgrades, 1);
    EXPECT_EQ(design.hred, "0");
    EXPECT_EQ(design.radius, "0");
    EXPECT_EQ(design.useir, 0);
    EXPECT_EQ(design.synctest, 0);
    EXPECT_EQ(design.centrex, 0);
    EXPECT_EQ(design.image, "") << "\"0\" is too short to name a picture";
    EXPECT_EQ(design.hourbitmap, "0") << "the picture loader drops bitmap names that short";
    EXPECT_EQ(design.displayOrder, "shm");
    // Older files get the defaults of everything they could not hold.
    EXPECT_EQ(design.fillirr, "255");
    EXPECT_EQ(design.edtHRLen, "40");
    EXPECT_EQ(design.ac_hhc, "75");
    EXPECT_EQ(design.ac_edtAM, "am");
    EXPECT_EQ(design.nFSize, 8);
    EXPECT_EQ(design.strFont, "");
}

TEST_F(DesignReaderTest, olderFileGetsDefaultAdvancedSettingsWhateverItHolds) {
    setFile("version=0.5\r\nac_hhc=99\r\nac_edtHead=x\r\nac_chkZE=1\r\nfillirr=7\r\nchkhhr=1\r\n"
            "hred=12\r\ndisplayOrder=hms\r\n");
    load();
    EXPECT_EQ(design.ac_hhc, "75");
    EXPECT_EQ(design.ac_edtHead, "");
    EXPECT_EQ(design.ac_chkZE, 0);
    EXPECT_EQ(design.fillirr, "255");
    EXPECT_EQ(design.chkhhr, 0);
    EXPECT_EQ(design.hred, "12");
    EXPECT_EQ(design.displayOrder, "hms") << "read after the re-defaulting";
}

TEST_F(DesignReaderTest, currentFileKeepsMissingKeysAsZeroNotAsDefaults) {
    setFile("version=0.9\r\nac_nFSize=12\r\n");
    int upgrades = 0;
    LoadHooks hooks;
    hooks.upgradeIni = [&](double, double) { ++upgrades; };
    load(hooks);
    EXPECT_EQ(upgrades, 0);
    EXPECT_EQ(design.ac_edtHead, "0");
    EXPECT_EQ(design.hred, "0");
    EXPECT_EQ(design.fillirr, "0");
    EXPECT_EQ(design.strFont, "");
    EXPECT_EQ(design.nFSize, 8) << "no font: its size is not read";
    EXPECT_EQ(design.lblFont, "");
}

TEST_F(DesignReaderTest, fontNameDecidesWhetherItsDetailsAreRead) {
    setFile("version=0.9\r\nac_strFont=  DejaVu Sans \r\nac_nFSize=10\r\nac_bFBold=TRUE\r\n"
            "ac_bFItalic=-1\r\n");
    load();
    EXPECT_EQ(design.strFont, "DejaVu Sans");
    EXPECT_EQ(design.lblFont, "DejaVu Sans, 10, bold, italic");

    setFile("version=0.9\r\nac_strFont=x\r\nac_nFSize=big\r\nac_bFBold=perhaps\r\n");
    EXPECT_EQ(loadError(), "") << "details of a one-character font are never read";
    EXPECT_EQ(design.strFont, "");
    EXPECT_EQ(design.lblFont, "");
    EXPECT_EQ(design.nFSize, 8);
    EXPECT_FALSE(design.bFBold);
}

TEST_F(DesignReaderTest, keysAndSectionAreFoundWhateverTheirCase) {
    store.setFile(file.path(), "[CLOCK]\r\nVERSION=0.9\r\nCHKDIGITAL=1\r\nHred=9\r\n");
    load();
    EXPECT_EQ(design.chkDigital, 1);
    EXPECT_EQ(design.hred, "9");
}

TEST_F(DesignReaderTest, pictureNamesFollowTheirOwnRules) {
    setFile("version=0.9\r\nimage=x\r\nbackground=ab\r\nhourbitmap=\th.bmp\t\r\n");
    load();
    EXPECT_EQ(design.image, "");
    EXPECT_EQ(design.background, "ab");
    EXPECT_EQ(design.hourbitmap, "h.bmp");
}

TEST_F(DesignReaderTest, pickedColourAndPositionsAreConfirmedFromTheTexts) {
    setFile("version=0.9\r\ntransr=12.5\r\ntransg=13.5\r\ntransb=x\r\nedtX=-10\r\nedtY=-4\r\n"
            "bmptopx=2.5\r\nbmptopy=abc\r\nac_dcTop=7\r\nac_dcLeft= 9 \r\n");
    load();
    EXPECT_EQ(design.pointred, 12);
    EXPECT_EQ(design.pointgreen, 14);
    EXPECT_EQ(design.pointblue, 0);
    EXPECT_EQ(design.lblConfirmedXY, "(-10, -4)");
    EXPECT_EQ(design.bmptopx, 2);
    EXPECT_EQ(design.bmptopy, 0);
    EXPECT_EQ(design.edtBMPY, "abc");
    EXPECT_EQ(design.nDigitalLeft, 9);
    EXPECT_EQ(design.nDigitalTop, 7);
}

struct StopCase {
    const char* name;
    const char* keys;
    const char* description;
};

class DesignReaderStops : public DesignReaderTest, public testing::WithParamInterface<StopCase> {};

TEST_P(DesignReaderStops, conversionThatCannotAcceptTheValueStopsTheLoad) {
    // The case's keys come first, so they win over the common ones.
    setFile(std::string(GetParam().keys) + "version=0.9\r\nac_strFont=Serif\r\n");
    EXPECT_EQ(loadError(), GetParam().description);
}

INSTANTIATE_TEST_SUITE_P(
    Values, DesignReaderStops,
    testing::Values(StopCase{"checkThree", "useir=3\r\n", kInvalidPropertyValue},
                    StopCase{"checkMinusOne", "ac_chkZE=-1\r\n", kInvalidPropertyValue},
                    StopCase{"checkOverflow", "erase=1e9\r\n", kOverflow},
                    StopCase{"centreNotANumber", "centrex=abc\r\n", kTypeMismatch},
                    StopCase{"centreEmpty", "centrey=\r\n", kTypeMismatch},
                    StopCase{"centreTooLarge", "centrex=32768\r\n", kOverflow},
                    StopCase{"fontSizeNotANumber", "ac_nFSize=10pt\r\n", kTypeMismatch},
                    StopCase{"boldNeitherWordNorNumber", "ac_bFBold=yes\r\n", kTypeMismatch},
                    StopCase{"transparencyTooLarge", "transb=40000\r\n", kOverflow},
                    StopCase{"eraseTopLeftTooLarge", "edtY=1e6\r\n", kOverflow},
                    StopCase{"digitalTopLeftTooLarge", "ac_dcLeft=70000\r\n", kOverflow},
                    StopCase{"versionTooLarge", "version=1e999\r\n", kOverflow}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DesignReaderTest, stoppedLoadKeepsWhatWasReadAndReadsNothingMore) {
    setFile("version=0.9\r\nradius=99\r\nuseir=3\r\nsynctest=0\r\nimage=face.bmp\r\n");
    design.synctest = 1;
    EXPECT_EQ(loadError(), kInvalidPropertyValue);
    EXPECT_EQ(design.radius, "99");
    EXPECT_EQ(design.synctest, 1);
    EXPECT_EQ(store.readKeys.back(), "useir");
}

TEST_F(DesignReaderTest, greyAndRoundedCheckValuesAreAccepted) {
    setFile("version=0.9\r\nuseir=2\r\nsynctest=1.5\r\nerase=0.4\r\nrect=x\r\n");
    load();
    EXPECT_EQ(design.useir, 2);
    EXPECT_EQ(design.synctest, 2);
    EXPECT_EQ(design.erase, 0);
    EXPECT_EQ(design.rect, 0);
}

TEST(DesignRoundTripTest, everyFieldComesBackLessOuterBlanksAndCutTo254) {
    RecordingHost host;
    ToolbarButtons savedToolbar(host), loadedToolbar(host);
    ClockDesign saved, loaded;
    int i = 0;
    for (const IniKey& entry : iniKeys()) {
        ++i;
        if (entry.form == ValueForm::Check) {
            saved.*entry.number = static_cast<std::int16_t>(i % 3);
        } else if (entry.form == ValueForm::Flag) {
            savedToolbar.setToolbarButton(entry.button, static_cast<std::int16_t>(i % 2));
        } else if (entry.rule == ReadRule::Plain && entry.text != nullptr &&
                   entry.form != ValueForm::ReformattedNumber) {
            saved.*entry.text = " \t" + std::string(entry.key) + " " + std::to_string(i) + "\t ";
        }
    }
    saved.ac_edtTail = std::string(300, 't');
    saved.ac_edtHead.clear();
    saved.shrd = "0.25";
    saved.centrex = -32768;
    saved.bmptopy = 32767;
    saved.nDigitalLeft = -1;
    saved.image = "a picture.bmp";
    saved.hourbitmap = "h.bmp";
    saved.strFont = "Serif";
    saved.nFSize = 13;
    saved.bFItalic = true;
    saved.displayOrder = "hsm";

    dw::testing::ScratchFolder folder;
    dw::platform::FileProfileStore disk;
    IniFile file(disk, folder.file("round.ini"));
    ASSERT_TRUE(writeDesign(file, saved, savedToolbar));
    readDesign(file, loaded, loadedToolbar);

    for (const IniKey& entry : iniKeys()) {
        const std::string wrote = iniValueText(entry, saved, savedToolbar);
        const std::string expected =
            entry.form == ValueForm::ReformattedNumber ? wrote : trimmedText(wrote).substr(0, 254);
        EXPECT_EQ(iniValueText(entry, loaded, loadedToolbar), expected) << entry.key;
    }
    EXPECT_EQ(loaded.ac_edtTail, std::string(254, 't'));
    EXPECT_EQ(loaded.ac_edtHead, "");
    EXPECT_EQ(loaded.shrd, ".25");
}
