#include "core/ini_file.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "core/file_io.h"
#include "file_helpers.h"
#include "temp_dir.h"

namespace kelbo {
namespace {

using testing::ReadRaw;
using testing::TempDir;
using testing::WriteRaw;

TEST(IniFile, MissingFileGivesTheDefaults) {
    TempDir dir;
    const IniFile ini(dir / "kelbo.ini");
    EXPECT_EQ(ini.ReadString("Browser", "ClickSoundPath", "none"), "none");
    EXPECT_EQ(ini.ReadInteger("Browser\\FastView", "MovieInterval", 20), 20);
    EXPECT_TRUE(ini.ReadBool("Browser", "AutoRestore", true));
    EXPECT_FALSE(ini.ReadBool("Browser", "AutoMinimalize", false));
    EXPECT_FALSE(ini.HasSection("Browser"));
    EXPECT_FALSE(ini.Modified());
    EXPECT_FALSE(std::filesystem::exists(dir / "kelbo.ini"));
}

TEST(IniFile, MissingKeyGivesTheDefaultButAnEmptyValueIsEmpty) {
    const IniFile ini = IniFile::Parse("[BackUp]\r\nFileName=\r\n");
    EXPECT_EQ(ini.ReadString("BackUp", "Other", "BAK"), "BAK");
    EXPECT_EQ(ini.ReadString("BackUp", "FileName", "BAK"), "");
    EXPECT_EQ(ini.ReadInteger("BackUp", "FileName", 7), 7);
    EXPECT_EQ(ini.ReadString("Missing", "FileName", "d"), "d");
}

TEST(IniFile, SlovakTextIsStoredAsWindows1250) {
    TempDir dir;
    {
        IniFile ini(dir / "kelbo.ini");
        ini.WriteString("Menu Items", "Item0", "C:\\obrázky\\Čítaj ma.bmp");
        ini.WriteString("Štart", "Ľúbosť", "ľščťžýáíé");
        ini.Save();
        EXPECT_FALSE(ini.Modified());
    }
    const std::string expected = "[Menu Items]\r\n"
                                 "Item0=C:\\obr\xE1zky\\\xC8\xEDtaj ma.bmp\r\n"
                                 "\r\n"
                                 "[\x8Atart]\r\n"
                                 "\xBC\xFA"
                                 "bos\x9D=\xBE\x9A\xE8\x9D\x9E\xFD\xE1\xED\xE9\r\n";
    EXPECT_EQ(ReadRaw(dir / "kelbo.ini"), expected);

    const IniFile reread(dir / "kelbo.ini");
    EXPECT_EQ(reread.ReadString("Menu Items", "Item0", ""), "C:\\obrázky\\Čítaj ma.bmp");
    EXPECT_EQ(reread.ReadString("štart", "ĽÚBOSŤ", ""), "ľščťžýáíé");
}

TEST(IniFile, CharactersOutsideWindows1250BecomeQuestionMarks) {
    IniFile ini;
    ini.WriteString("S", "K", "a中b");
    EXPECT_EQ(ini.Serialize(), "[S]\r\nK=a?b\r\n");
}

TEST(IniFile, SectionsAndKeysMatchWithoutRegardToCase) {
    // "[ČASY]" and "Ďalší=5" in Windows-1250.
    IniFile ini = IniFile::Parse("[Browser]\r\nAutoRestore=0\r\n[\xC8"
                                 "ASY]\r\n\xCF"
                                 "al\x9A\xED=5\r\n");
    EXPECT_FALSE(ini.ReadBool("BROWSER", "autorestore", true));
    EXPECT_EQ(ini.ReadInteger("časy", "ďALŠÍ", 0), 5);

    ini.WriteBool("browser", "AUTORESTORE", true);
    ini.WriteInteger("časy", "ďalší", 6);
    EXPECT_EQ(ini.Serialize(), "[Browser]\r\nAutoRestore=1\r\n[\xC8"
                               "ASY]\r\n\xCF"
                               "al\x9A\xED=6\r\n");
}

TEST(IniFile, RewritingKeepsCommentsUnknownLinesAndOrder) {
    IniFile ini = IniFile::Parse("; Kelbo settings\r\n"
                                 "[Config]\r\n"
                                 "ZoomConst = 150\r\n"
                                 "this line is not a key\r\n"
                                 "ExitQuestion=0\r\n"
                                 "; about panels\r\n"
                                 "\r\n"
                                 "[Panels]\r\n"
                                 "InfoVisible=1\r\n");
    ini.WriteInteger("Config", "zoomconst", 200);     // in place, original spelling
    ini.WriteBool("Config", "SaveAsQuestion", true);  // after the last key of the section
    ini.WriteString("OnStart", "Directory", "C:");    // new section at the end
    EXPECT_EQ(ini.Serialize(), "; Kelbo settings\r\n"
                               "[Config]\r\n"
                               "ZoomConst=200\r\n"
                               "this line is not a key\r\n"
                               "ExitQuestion=0\r\n"
                               "SaveAsQuestion=1\r\n"
                               "; about panels\r\n"
                               "\r\n"
                               "[Panels]\r\n"
                               "InfoVisible=1\r\n"
                               "\r\n"
                               "[OnStart]\r\n"
                               "Directory=C:\r\n");
}

TEST(IniFile, NewKeyInASectionWithoutKeysFollowsTheHeader) {
    IniFile ini = IniFile::Parse("[Warping]\r\n; colours\r\n[Colors]\r\n");
    ini.WriteInteger("Warping", "Red_NWColor", 255);
    EXPECT_EQ(ini.Serialize(), "[Warping]\r\nRed_NWColor=255\r\n; colours\r\n[Colors]\r\n");
}

TEST(IniFile, WhitespaceAroundNamesAndValuesIsTrimmed) {
    const IniFile ini = IniFile::Parse(" [ Config ] \r\n\t ZoomConst \t=  150  \r\nPath= C:\\a b \r\n");
    EXPECT_EQ(ini.ReadInteger("Config", "ZoomConst", 0), 150);
    EXPECT_EQ(ini.ReadString(" Config ", " Path ", ""), "C:\\a b");
}

TEST(IniFile, MatchingQuotesAroundAValueAreDropped) {
    const IniFile ini = IniFile::Parse("[S]\r\nA=\"x y\"\r\nB='z'\r\nC=\"unpaired\r\nD=\"\r\n");
    EXPECT_EQ(ini.ReadString("S", "A", ""), "x y");
    EXPECT_EQ(ini.ReadString("S", "B", ""), "z");
    EXPECT_EQ(ini.ReadString("S", "C", ""), "\"unpaired");
    EXPECT_EQ(ini.ReadString("S", "D", ""), "\"");
}

TEST(IniFile, BackslashSectionsAndKeysWithSpaces) {
    IniFile ini;
    ini.WriteBool("Browser\\FastView", "IncludeSubDirs", true);
    ini.WriteInteger("OnStart", "ViewWinPos Left", 100);
    const IniFile reread = IniFile::Parse(ini.Serialize());
    EXPECT_TRUE(reread.ReadBool("browser\\fastview", "IncludeSubDirs", false));
    EXPECT_EQ(reread.ReadInteger("OnStart", "viewwinpos left", 0), 100);
    EXPECT_EQ(reread.ReadInteger("OnStart", "ViewWinPosLeft", -1), -1);
}

TEST(IniFile, BoolReadsAnyNonZeroIntegerAsTrue) {
    const IniFile ini = IniFile::Parse("[B]\r\none=1\r\nzero=0\r\ntwo=2\r\nminus=-1\r\ntext=abc\r\nempty=\r\n");
    EXPECT_TRUE(ini.ReadBool("B", "one", false));
    EXPECT_FALSE(ini.ReadBool("B", "zero", true));
    EXPECT_TRUE(ini.ReadBool("B", "two", false));
    EXPECT_TRUE(ini.ReadBool("B", "minus", false));
    EXPECT_TRUE(ini.ReadBool("B", "text", true));
    EXPECT_FALSE(ini.ReadBool("B", "text", false));
    EXPECT_TRUE(ini.ReadBool("B", "empty", true));
}

TEST(IniFile, IntegersNeedTheWholeValueToBeANumber) {
    const IniFile ini = IniFile::Parse(
        "[I]\r\na=12\r\nb= -7 \r\nc=+3\r\nd=12abc\r\ne=99999999999\r\nf=0x10\r\ng=--1\r\n");
    EXPECT_EQ(ini.ReadInteger("I", "a", 0), 12);
    EXPECT_EQ(ini.ReadInteger("I", "b", 0), -7);
    EXPECT_EQ(ini.ReadInteger("I", "c", 0), 3);
    EXPECT_EQ(ini.ReadInteger("I", "d", 5), 5);
    EXPECT_EQ(ini.ReadInteger("I", "e", 5), 5);
    EXPECT_EQ(ini.ReadInteger("I", "f", 5), 5);
    EXPECT_EQ(ini.ReadInteger("I", "g", 5), 5);
}

TEST(IniFile, WritesBoolsAsOneAndZero) {
    IniFile ini;
    ini.WriteBool("Config", "FullView", true);
    ini.WriteBool("Config", "AutoOpenTools", false);
    EXPECT_EQ(ini.Serialize(), "[Config]\r\nFullView=1\r\nAutoOpenTools=0\r\n");
}

TEST(IniFile, AcceptsLfLineEndsAndWritesCrLf) {
    IniFile ini = IniFile::Parse("[A]\nx=1\n[B]\ny=2");
    EXPECT_EQ(ini.ReadInteger("A", "x", 0), 1);
    EXPECT_EQ(ini.ReadInteger("B", "y", 0), 2);
    EXPECT_EQ(ini.Serialize(), "[A]\r\nx=1\r\n[B]\r\ny=2\r\n");
}

TEST(IniFile, FirstSectionAndKeyWinAndKeysBeforeAnySectionAreIgnored) {
    const IniFile ini = IniFile::Parse("k=0\r\n[S]\r\nk=1\r\nk=2\r\n[s]\r\nk=3\r\n");
    EXPECT_EQ(ini.ReadInteger("S", "k", -1), 1);
    EXPECT_EQ(ini.SectionNames(), (std::vector<std::string>{"S"}));
    EXPECT_EQ(ini.KeyNames("S"), (std::vector<std::string>{"k"}));
}

TEST(IniFile, EraseKeyAndSection) {
    IniFile ini = IniFile::Parse("[A]\r\nx=1\r\ny=2\r\n[B]\r\n; b\r\nz=3\r\n[C]\r\nw=4\r\n");
    ini.EraseKey("a", "X");
    ini.EraseSection("b");
    ini.EraseKey("Missing", "x");
    EXPECT_TRUE(ini.Modified());
    EXPECT_EQ(ini.Serialize(), "[A]\r\ny=2\r\n[C]\r\nw=4\r\n");
}

TEST(IniFile, RejectsNamesAndValuesTheFileCannotHold) {
    IniFile ini;
    EXPECT_THROW(ini.WriteString("", "k", "v"), std::invalid_argument);
    EXPECT_THROW(ini.WriteString("a]b", "k", "v"), std::invalid_argument);
    EXPECT_THROW(ini.WriteString("s", "", "v"), std::invalid_argument);
    EXPECT_THROW(ini.WriteString("s", "a=b", "v"), std::invalid_argument);
    EXPECT_THROW(ini.WriteString("s", ";k", "v"), std::invalid_argument);
    EXPECT_THROW(ini.WriteString("s", "k", "line\r\nbreak"), std::invalid_argument);
    EXPECT_EQ(ini.Serialize(), "");
}

TEST(IniFile, SaveReplacesTheFileAndKeepsOtherContent) {
    TempDir dir;
    WriteRaw(dir / "kelbo.ini", "; mine\r\n[Config]\r\nZoomConst=150\r\nOther=x\r\n");
    IniFile ini(dir / "kelbo.ini");
    ini.WriteInteger("Config", "ZoomConst", 120);
    ini.Save();
    EXPECT_EQ(ReadRaw(dir / "kelbo.ini"), "; mine\r\n[Config]\r\nZoomConst=120\r\nOther=x\r\n");
    EXPECT_EQ(testing::DirectoryContents(dir.Path()).size(), 1u);
}

TEST(IniFile, FailedSaveReportsAnErrorAndLeavesTheOldFile) {
    TempDir dir;
    const std::string oldText = "[Config]\r\nZoomConst=150\r\n";
    WriteRaw(dir / "kelbo.ini", oldText);
    IniFile ini(dir / "kelbo.ini");
    ini.WriteInteger("Config", "ZoomConst", 99);
    std::filesystem::permissions(dir / "kelbo.ini", std::filesystem::perms::owner_read);
    EXPECT_THROW(ini.Save(), FileError);
    EXPECT_TRUE(ini.Modified());
    EXPECT_EQ(ReadRaw(dir / "kelbo.ini"), oldText);
}

TEST(IniFile, SaveIntoAMissingDirectoryFails) {
    TempDir dir;
    IniFile ini(dir / "no" / "kelbo.ini");
    ini.WriteBool("Config", "FullView", true);
    try {
        ini.Save();
        FAIL() << "no error";
    } catch (const FileError& e) {
        EXPECT_NE(std::string(e.what()).find("Cannot create file"), std::string::npos);
    }
}

TEST(IniFile, UnreadableFileIsAnError) {
    TempDir dir;
    std::filesystem::create_directory(dir / "kelbo.ini");
    EXPECT_THROW(IniFile(dir / "kelbo.ini"), FileError);
}

TEST(IniFile, SaveWithoutAPathIsALogicError) {
    IniFile ini;
    EXPECT_THROW(ini.Save(), std::logic_error);
}

}  // namespace
}  // namespace kelbo
