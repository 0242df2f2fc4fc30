// The start: the automatic opening the settings ask for.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/ui/program.h"
#include "codecs/bmp_writer.h"
#include "core/text_encoding.h"
#include "main_window_fixture.h"

namespace kelbo::testing {
namespace {

TEST(ProgramStart, AutoLoadFileOpensTheStoredPictureAndReportsAMissingOne) {
    const std::filesystem::path picture = std::filesystem::temp_directory_path() / L"kelbo-auto-ľ.bmp";
    WriteBmp(picture, Bitmap24(5, 3, Rgb(1, 2, 3)).ConstView(), PixelFormat::k24);
    Program program(StartOptions{true, true, true, {}});
    program.CreateWindows();
    TViewForm& form = program.ViewForm();
    std::vector<std::string> errors;
    form.ErrorBox = [&](std::string_view m) { errors.emplace_back(m); };
    form.Options.AutoLoadFile = true;
    form.Options.AutoLoadFileName = PathToUtf8(picture);
    program.OpenStartFiles();
    ASSERT_EQ(form.ChildCount(), 1);
    EXPECT_EQ(form.CurrentDocument->PictureSize(), (Size{5, 3}));

    form.Options.OpenInWarpWin = true;  // a warp window, no image document
    program.OpenStartFiles();
    EXPECT_EQ(form.ChildCount(), 2);
    EXPECT_EQ(ClassNameOf(forms::ActiveMdiChild(form.MdiClient())), "TWarpWin");

    form.Options.OpenInWarpWin = false;
    std::filesystem::remove(picture);
    program.OpenStartFiles();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find(PathToUtf8(picture)), std::string::npos) << errors[0];
    PumpMessages();
}

}  // namespace
}  // namespace kelbo::testing
