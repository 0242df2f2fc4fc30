#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "cli/cli_run.h"
#include "codecs/bmp_reader.h"
#include "codecs/bmp_writer.h"
#include "codecs/gif_decoder.h"
#include "core/text_encoding.h"
#include "imaging/filters/filter_pictures.h"
#include "temp_dir.h"
#include "warp/mesh_file.h"
#include "warp/morph.h"

namespace kelbo::cli {
namespace {

TEST(WarpCommands, MeshEditsActLikeTheGestures) {
    testing::TempDir dir;
    const auto file = [&dir](const char* name) { return PathToUtf8(dir / name); };
    const auto load = [&](const char* name) {
        WarpMesh m;
        LoadMesh(m, dir / name);
        return m;
    };
    ASSERT_EQ(Cli({"mesh", "rect", "100", "50", file("r.kmw")}).code, kExitOk);
    EXPECT_EQ(std::filesystem::file_size(dir / "r.kmw"), 192u);
    // From near node 0 to an empty place: snaps to (0, 0), a new node 4.
    ASSERT_EQ(Cli({"mesh", "add-link", "--from", "3,-2", "--to", "40,20", file("r.kmw"), file("a.kmw")}).code, kExitOk);
    WarpMesh a = load("a.kmw");
    EXPECT_EQ(a.SourceLinks[4], (TMeshLink{0, 0, 40, 20, 0, 4}));
    EXPECT_EQ(a.NodeCount, 5);
    ASSERT_EQ(Cli({"mesh", "move", "--from", "41,21", "--to", "60,10", file("a.kmw"), file("m.kmw")}).code, kExitOk);
    WarpMesh m = load("m.kmw");
    EXPECT_EQ(NodePosition(m, MeshSide::kTarget, 4), (MeshPoint{60, 10}));
    EXPECT_EQ(NodePosition(m, MeshSide::kSource, 4), (MeshPoint{40, 20}));
    // Editing the source throws the target positions away.
    ASSERT_EQ(Cli({"mesh", "move", "--source", "--from", "40,20", "--to", "45,25", file("m.kmw"), file("s.kmw")}).code,
              kExitOk);
    WarpMesh s = load("s.kmw");
    EXPECT_EQ(s.SourceLinks, s.TargetLinks);
    EXPECT_EQ(NodePosition(s, MeshSide::kSource, 4), (MeshPoint{45, 25}));
    ASSERT_EQ(Cli({"mesh", "swap", file("m.kmw"), file("w.kmw")}).code, kExitOk);
    EXPECT_EQ(NodePosition(load("w.kmw"), MeshSide::kSource, 4), (MeshPoint{60, 10}));
    ASSERT_EQ(Cli({"mesh", "delete-link", "--from", "0,0", "--to", "40,20", file("a.kmw"), file("d.kmw")}).code,
              kExitOk);
    EXPECT_EQ(load("d.kmw").LinkCount, 4);
    EXPECT_EQ(load("d.kmw").NodeCount, 4);
    ASSERT_EQ(Cli({"mesh", "complete", file("m.kmw"), file("c.kmw")}).code, kExitOk);
    WarpMesh expected = m;
    CompleteTriangles(expected);
    EXPECT_EQ(load("c.kmw").SourceLinks, expected.SourceLinks);
    const CliRun info = Cli({"mesh", "info", file("m.kmw")});
    EXPECT_NE(info.out.find("links 5 nodes 5\n"), std::string::npos);
    EXPECT_NE(info.out.find("link 4: 0 0 40 20 0 4 | 0 0 60 10 0 4\n"), std::string::npos);
    EXPECT_NE(info.out.find("node 4: 40 20 | 60 10\n"), std::string::npos);

    const struct {
        std::vector<std::string> args;
        int code;
    } refused[] = {
        {{"mesh", "move", "--from", "20,20", "--to", "1,1", file("m.kmw"), file("x.kmw")}, kExitFailure},
        {{"mesh", "delete-link", "--from", "0,0", "--to", "30,30", file("m.kmw"), file("x.kmw")}, kExitFailure},
        {{"mesh", "add-link", "--from", "1", "--to", "2,2", file("m.kmw"), file("x.kmw")}, kExitUsage},
        {{"mesh", "swap", "--from", "1,1", file("m.kmw"), file("x.kmw")}, kExitUsage},
        {{"mesh", "rect", "0", "5", file("x.kmw")}, kExitUsage},
        {{"mesh", "info", file("missing.kmw")}, kExitFailure},
        {{"mesh", "bend", file("m.kmw"), file("x.kmw")}, kExitUsage},
    };
    for (const auto& c : refused) EXPECT_EQ(Cli(c.args).code, c.code) << c.args[1];
    EXPECT_FALSE(std::filesystem::exists(dir / "x.kmw"));
}

TEST(WarpCommands, WarpAndMorphWriteTheFramesOrNothing) {
    testing::TempDir dir;
    const auto file = [&dir](const std::string& name) { return PathToUtf8(dir / name); };
    const Bitmap24 picture = testing::RandomPicture(60, 40, 4);
    WriteBmp24(dir / "in.bmp", picture.View());
    WarpMesh mesh = RectangleMesh(60, 40);
    AddLink(mesh, {0, 0}, 0, {30, 20}, 4);
    mesh.NodeCount = 5;
    MakeTarget(mesh);
    mesh.TargetValid = true;
    MoveNode(mesh, MeshSide::kTarget, 4, {38, 14});
    SaveMesh(mesh, dir / "m.kmw");

    ASSERT_EQ(Cli({"warp", "--mesh", file("m.kmw"), file("in.bmp"), file("w.bmp")}).code, kExitOk);
    WarpMesh copy = mesh;
    EXPECT_EQ(ReadBmp(dir / "w.bmp")->bitmap, WarpPicture(picture.View(), copy));

    const CliRun run = Cli({"morph", "--mesh", file("m.kmw"), "--frames", "4", "--first", "0", "--last", "4", "--gif",
                            file("m.gif"), "--delay", "7", file("in.bmp"), file("f")});
    ASSERT_EQ(run.code, kExitOk) << run.err;
    std::vector<Bitmap24> frames;
    copy = mesh;
    MorphOptions options;
    options.frames = 4, options.first = 0, options.last = 4;
    RenderMorph(picture.View(), copy, options, [&frames](int, Bitmap24 f) { frames.push_back(std::move(f)); });
    for (int k = 0; k <= 4; ++k) EXPECT_EQ(ReadBmp(dir / ("f" + FrameNumber(k) + ".bmp"))->bitmap, frames[k]) << k;
    Result<GifFile> gif = ReadGifFile(dir / "m.gif");
    ASSERT_TRUE(gif);
    ASSERT_EQ(gif->frames.size(), 5u);
    EXPECT_TRUE(gif->hasLoopExtension);
    EXPECT_EQ(gif->frames[2].delayMs, 70);

    // A frame count of 0, and a frame that cannot be written, leave no frame behind.
    EXPECT_EQ(Cli({"morph", "--mesh", file("m.kmw"), "--frames", "0", file("in.bmp"), file("g")}).code, kExitFailure);
    EXPECT_EQ(Cli({"morph", "--mesh", file("m.kmw"), "--first", "2", file("in.bmp"), file("g")}).code, kExitUsage);
    std::filesystem::create_directory(dir / "g02.bmp");
    EXPECT_EQ(Cli({"morph", "--mesh", file("m.kmw"), file("in.bmp"), file("g")}).code, kExitFailure);
    EXPECT_FALSE(std::filesystem::exists(dir / "g01.bmp"));
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        EXPECT_EQ(entry.path().filename().string().find(".part"), std::string::npos) << entry.path();
}

}  // namespace
}  // namespace kelbo::cli

namespace kelbo::cli {
namespace {

TEST(WarpCommands, MeshCheckNamesTheFoldsAndTheNodesOutside) {
    testing::TempDir dir;
    WarpMesh mesh = RectangleMesh(100, 50);
    mesh.TargetLinks = mesh.SourceLinks;
    mesh.TargetValid = true;
    MoveNode(mesh, MeshSide::kTarget, 3, {150, 25});
    SaveMesh(mesh, dir / "m.kmw");
    std::ofstream(dir / "cut.kmw", std::ios::binary) << std::string(50, 'x');
    const std::string m = PathToUtf8(dir / "m.kmw");
    const CliRun run = Cli({"mesh-check", "--frames", "2", "--size", "100,50", m});
    EXPECT_EQ(run.code, kExitFailure);
    EXPECT_EQ(run.out, "folds: nodes 0 2 3 at frame 1 of 2\noutside: node 3 at 150,25 in the target\n");
    EXPECT_EQ(Cli({"mesh-check", PathToUtf8(dir / "cut.kmw")}).code, kExitFailure);
    EXPECT_EQ(Cli({"mesh-check", "--size", "100", m}).code, kExitUsage);
}

}  // namespace
}  // namespace kelbo::cli
