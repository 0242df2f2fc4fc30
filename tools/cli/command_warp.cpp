// The mesh file, the mesh warp and the morph animation as subcommands. The
// mesh edits act like the warp window's mouse gestures.
#include <algorithm>
#include <charconv>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "all_commands.h"
#include "codecs/bmp_palette.h"
#include "codecs/gif_encoder.h"
#include "core/file_io.h"
#include "core/text_encoding.h"
#include "picture_io.h"
#include "warp/mesh_check.h"
#include "warp/mesh_file.h"
#include "warp/morph.h"

namespace kelbo::cli {
namespace {

constexpr char kMeshFile[] =
    "A mesh file (.kmw) holds, for every link, its source record then its target record: six\n"
    "signed 32-bit little-endian integers each (X1 Y1 X2 Y2 NODE1 NODE2), no header. Loading\n"
    "takes NodeCount = 1 + the greatest node number of the source links and refuses a length\n"
    "that is not a multiple of 48, more than 301 links, no links, node numbers outside 0..601\n"
    "and coordinates beyond +-1048576.";

int ThreadsValue(const ParsedArgs& args) {
    const int processors = static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 64u));
    return args.IntValue("threads", processors, 1, 64);
}

const OptionDef kWarpThreadsOption{"threads", "N",
                                   "rows of each warp split between N threads, 1..64 (default: one per processor)"};

// "A,B" as two whole numbers; nullopt for anything else.
std::optional<std::pair<long long, long long>> NumberPair(std::string_view text) {
    const std::size_t comma = text.find(',');
    if (comma == std::string_view::npos) return std::nullopt;
    const std::optional<long long> a = ParseWholeNumber(text.substr(0, comma));
    const std::optional<long long> b = ParseWholeNumber(text.substr(comma + 1));
    if (!a || !b) return std::nullopt;
    return std::pair{*a, *b};
}

MeshPoint PointValue(const ParsedArgs& args, std::string_view option) {
    const std::optional<std::string> text = args.Value(option);
    if (!text) throw UsageError("--" + std::string(option) + " X,Y is required");
    const auto point = NumberPair(*text);
    const auto inRange = [](long long v) { return v >= -kMaxMeshCoordinate && v <= kMaxMeshCoordinate; };
    if (!point || !inRange(point->first) || !inRange(point->second))
        throw UsageError("--" + std::string(option) + " must be X,Y, whole numbers within +-1048576, not \"" + *text +
                         "\"");
    return {static_cast<std::int32_t>(point->first), static_cast<std::int32_t>(point->second)};
}

WarpMesh ReadMesh(const std::string& path) {
    WarpMesh mesh;
    LoadMesh(mesh, PathFromUtf8(path));
    return mesh;
}

// The node within 4 pixels of `point` in the source mesh; a failure when none is.
FoundNode NodeAt(const WarpMesh& mesh, MeshSide side, MeshPoint point, std::string_view option) {
    const std::optional<FoundNode> found = FindNode(mesh, side, point);
    if (!found) {
        throw std::runtime_error("no node within 4 pixels of --" + std::string(option) + " " + std::to_string(point.x) +
                                 "," + std::to_string(point.y));
    }
    return *found;
}

// The add-link drag of normal mode: each end snaps to a node or is a new one.
void AddLinkGesture(WarpMesh& mesh, MeshPoint from, MeshPoint to) {
    if (mesh.LinkCount >= MaxMeshLinks) throw MeshFullError();
    const std::optional<FoundNode> start = FindNode(mesh, MeshSide::kSource, from);
    int startNode = start ? start->node : -1;
    const MeshPoint startPoint = start ? start->point : from;
    if (startNode == -1) startNode = mesh.NodeCount++;
    const std::optional<FoundNode> end = FindNode(mesh, MeshSide::kSource, to);
    const int endNode = end ? end->node : mesh.NodeCount++;
    AddLink(mesh, startPoint, startNode, end ? end->point : to, endNode);
    mesh.TargetValid = false;
}

void PrintMesh(WarpMesh& mesh, std::ostream& out) {
    MakeTarget(mesh);
    out << "links " << mesh.LinkCount << " nodes " << mesh.NodeCount << '\n';
    const auto put = [&out](const TMeshLink& l) {
        out << l.X1 << ' ' << l.Y1 << ' ' << l.X2 << ' ' << l.Y2 << ' ' << l.Node1 << ' ' << l.Node2;
    };
    for (int i = 0; i < mesh.LinkCount; ++i) {
        out << "link " << i << ": ";
        put(mesh.SourceLinks[i]);
        out << " | ";
        put(mesh.TargetLinks[i]);
        out << '\n';
    }
    for (int n = 0; n < mesh.NodeCount; ++n) {
        const MeshPoint s = NodePosition(mesh, MeshSide::kSource, n), t = NodePosition(mesh, MeshSide::kTarget, n);
        out << "node " << n << ": " << s.x << ' ' << s.y << " | " << t.x << ' ' << t.y << '\n';
    }
}

struct MeshAction {
    std::string name;
    std::size_t files;                 // positional arguments after the action
    std::vector<std::string> options;  // the options it takes
};

const std::vector<MeshAction> kMeshActions = {
    {"rect", 3, {}},
    {"info", 1, {}},
    {"add-link", 2, {"from", "to"}},
    {"delete-link", 2, {"from", "to"}},
    {"move", 2, {"source", "from", "to"}},
    {"swap", 2, {}},
    {"complete", 2, {}},
};

int RunMesh(const ParsedArgs& args, CommandIo& io) {
    const std::vector<std::string>& pos = args.Positional();
    const auto action = std::ranges::find(kMeshActions, pos[0], &MeshAction::name);
    if (action == kMeshActions.end()) throw UsageError("unknown mesh action \"" + pos[0] + "\"");
    if (pos.size() != action->files + 1) {
        throw UsageError("mesh " + action->name + " takes " + std::to_string(action->files) + " file argument" +
                         (action->files == 1 ? "" : "s"));
    }
    for (const char* option : {"source", "from", "to"}) {
        if (args.Has(option) && std::ranges::find(action->options, option) == action->options.end())
            throw UsageError("mesh " + action->name + " takes no --" + option);
    }
    if (action->name == "rect") {
        const std::optional<long long> w = ParseWholeNumber(pos[1]), h = ParseWholeNumber(pos[2]);
        if (!w || !h || *w < 1 || *w > 65535 || *h < 1 || *h > 65535)
            throw UsageError("mesh rect: W and H must be whole numbers 1..65535");
        WarpMesh mesh = RectangleMesh(static_cast<int>(*w), static_cast<int>(*h));
        SaveMesh(mesh, PathFromUtf8(pos[3]));
        io.out << "wrote " << pos[3] << " (4 links, 4 nodes)\n";
        return kExitOk;
    }
    WarpMesh mesh = ReadMesh(pos[1]);
    if (action->name == "info") {
        PrintMesh(mesh, io.out);
        return kExitOk;
    }
    if (action->name == "add-link") {
        AddLinkGesture(mesh, PointValue(args, "from"), PointValue(args, "to"));
    } else if (action->name == "delete-link") {
        const FoundNode a = NodeAt(mesh, MeshSide::kSource, PointValue(args, "from"), "from");
        const FoundNode b = NodeAt(mesh, MeshSide::kSource, PointValue(args, "to"), "to");
        DeleteLink(mesh, a.node, b.node);
        mesh.TargetValid = false;
    } else if (action->name == "move") {
        const MeshPoint from = PointValue(args, "from"), to = PointValue(args, "to");
        const MeshSide side = args.Has("source") ? MeshSide::kSource : MeshSide::kTarget;
        MakeTarget(mesh);  // warping mode makes the target before anything else
        mesh.TargetValid = side == MeshSide::kTarget;
        MoveNode(mesh, side, NodeAt(mesh, side, from, "from").node, to);
    } else if (action->name == "swap") {
        MakeTarget(mesh);
        SwapMeshes(mesh);
    } else {
        MakeTarget(mesh);
        CompleteTriangles(mesh);
    }
    SaveMesh(mesh, PathFromUtf8(pos[2]));
    io.out << "wrote " << pos[2] << " (" << mesh.LinkCount << " links, " << mesh.NodeCount << " nodes)\n";
    return kExitOk;
}

int RunWarp(const ParsedArgs& args, CommandIo& io) {
    const std::optional<std::string> meshPath = args.Value("mesh");
    if (!meshPath) throw UsageError("--mesh MESH.kmw is required");
    const int threads = ThreadsValue(args);
    return TransformFile("warp", args, io, [&](Bitmap24 picture) {
        WarpMesh mesh = ReadMesh(*meshPath);
        WarpOptions options;
        options.threads = threads;
        return WarpPicture(picture.View(), mesh, options);
    });
}

// Rows of every frame for the shared table, about four million pixels in all.
class PaletteSample {
public:
    PaletteSample(int width, int height, int frames)
        : step_(std::max<long long>(1, (std::int64_t{width} * height * frames) / 4'000'000)) {}
    void Take(const Bitmap24& frame) {
        for (int y = 0; y < frame.Height(); ++y) {
            if (row_++ % step_ != 0) continue;
            const std::uint8_t* r = frame.Row(y);
            rows_.insert(rows_.end(), r, r + 3 * frame.Width());
            width_ = frame.Width();
        }
    }
    BmpPaletteChoice Choose() const {
        const int height = static_cast<int>(rows_.size() / (3 * static_cast<std::size_t>(width_)));
        Bitmap24 sample(width_, height);
        for (int y = 0; y < height; ++y)
            std::copy_n(rows_.data() + 3 * static_cast<std::size_t>(width_) * y, 3 * width_, sample.Row(y));
        return ChooseBmpPalette(sample.View(), 8);
    }

private:
    long long step_;
    long long row_ = 0;
    int width_ = 1;
    std::vector<std::uint8_t> rows_;
};

struct MorphRun {
    MorphOptions options;
    std::string extension;
    std::optional<std::string> gif;
    int delay = 10;
};

MorphRun MorphOptionsOf(const ParsedArgs& args) {
    MorphRun run;
    MorphOptions& o = run.options;
    o.frames = args.IntValue("frames", 2, 0, 65535);
    if (o.frames == 0) throw std::runtime_error("--frames 0: an animation needs at least one step");
    o.first = args.IntValue("first", std::min(1, o.frames - 1), 0, o.frames - 1);
    o.last = args.IntValue("last", o.frames, o.first, o.frames);
    o.warp.changeNum = !args.Has("no-keep-mesh");
    o.warp.threads = ThreadsValue(args);
    const std::string format = args.ValueOr("format", "bmp");
    if (format != "bmp" && format != "jpg") throw UsageError("--format must be bmp or jpg, not \"" + format + "\"");
    run.extension = "." + format;
    run.gif = args.Value("gif");
    run.delay = args.IntValue("delay", 10, 1, 65535);
    return run;
}

int RunMorph(const ParsedArgs& args, CommandIo& io) {
    const std::optional<std::string> meshPath = args.Value("mesh");
    if (!meshPath) throw UsageError("--mesh MESH.kmw is required");
    const MorphRun run = MorphOptionsOf(args);
    const std::string& base = args.Positional()[1];
    const Bitmap24 picture = std::move(ReadInputPicture(args.Positional()[0], io.codecs).bitmap);
    const WarpMesh start = ReadMesh(*meshPath);
    FrameFiles files;
    PaletteSample sample(picture.Width(), picture.Height(), run.options.last - run.options.first + 1);
    WarpMesh mesh = start;
    RenderMorph(picture.View(), mesh, run.options, [&](int k, Bitmap24 frame) {
        const std::filesystem::path temp = files.Add(base + FrameNumber(k) + run.extension);
        SavePictureFile(temp, frame.View(), PixelFormat::k24, {}, io.codecs);
        if (run.gif) sample.Take(frame);
    });
    if (run.gif) {
        // A second pass renders the same frames again, so no more than one is held at a time.
        const BmpPaletteChoice palette = sample.Choose();
        AnimatedGifEncoder gif(picture.Width(), picture.Height(), palette.colors, run.delay);
        std::vector<std::uint8_t> indices(static_cast<std::size_t>(picture.Width()) * picture.Height());
        mesh = start;
        RenderMorph(picture.View(), mesh, run.options, [&](int, Bitmap24 frame) {
            IndexToPalette(frame.View(), palette, true, [&](int y, const std::uint8_t* row) {
                std::copy_n(row, frame.Width(), indices.data() + static_cast<std::size_t>(y) * frame.Width());
            });
            gif.AddFrame(indices);
        });
        WriteFileAtomically(files.Add(*run.gif), gif.Finish());
    }
    files.PutInPlace();
    const int count = std::max(0, run.options.last - run.options.first + 1);
    io.out << "wrote " << count << " frame" << (count == 1 ? "" : "s") << " " << base << FrameNumber(run.options.first)
           << run.extension << " ... " << base << FrameNumber(run.options.last) << run.extension
           << (run.gif ? " and " + *run.gif : "") << " (" << picture.Width() << " x " << picture.Height() << ")\n";
    return kExitOk;
}

// W,H of --size; nullopt when not given.
std::optional<std::pair<int, int>> SizeValue(const ParsedArgs& args) {
    const std::optional<std::string> text = args.Value("size");
    if (!text) return std::nullopt;
    const auto size = NumberPair(*text);
    const auto inRange = [](long long v) { return v >= 1 && v <= 65535; };
    if (!size || !inRange(size->first) || !inRange(size->second))
        throw UsageError("--size must be W,H, whole numbers 1..65535, not \"" + *text + "\"");
    return std::pair{static_cast<int>(size->first), static_cast<int>(size->second)};
}

int RunMeshCheck(const ParsedArgs& args, CommandIo& io) {
    const bool morph = args.Has("frames");
    const int frames = args.IntValue("frames", 1, 1, 65535);
    const std::optional<std::pair<int, int>> size = SizeValue(args);
    const WarpMesh mesh = ReadMesh(args.Positional()[0]);
    const std::vector<FoldingTriangle> folds = FoldingTriangles(mesh, frames, 1, frames);
    for (const FoldingTriangle& f : folds) {
        io.out << "folds: nodes " << f.nodes[0] << ' ' << f.nodes[1] << ' ' << f.nodes[2];
        if (morph)
            io.out << " at frame " << f.frame << " of " << frames << '\n';
        else
            io.out << " in the target\n";
    }
    if (size) {
        for (const OutsideNode& n : NodesOutside(mesh, size->first, size->second)) {
            io.out << "outside: node " << n.node << " at " << n.point.x << ',' << n.point.y << " in the "
                   << (n.side == MeshSide::kSource ? "source" : "target") << '\n';
        }
    }
    if (folds.empty()) io.out << "no triangle folds\n";
    return folds.empty() ? kExitOk : kExitFailure;
}

}  // namespace

void AddWarpCommands(CommandRegistry& registry) {
    registry.Add(Command{
        .name = "mesh",
        .summary = "make, show and edit a warp mesh file (.kmw)",
        .arguments = "ACTION FILES",
        .description = std::string(
                           "actions:\n"
                           "  rect W H OUT.kmw          the rectangle mesh of a W x H picture (nodes 0..3 at the\n"
                           "                            corners, links 0-1, 1-2, 2-3, 3-0), W and H 1..65535\n"
                           "  info MESH.kmw             the links and node positions, source | target\n"
                           "  add-link --from X,Y --to X,Y MESH.kmw OUT.kmw\n"
                           "                            the add-link drag: each end snaps to a source node within\n"
                           "                            4 pixels or is a new node; at most 301 links\n"
                           "  delete-link --from X,Y --to X,Y MESH.kmw OUT.kmw\n"
                           "                            delete the link between the nodes at the two points\n"
                           "                            (nothing when the mesh has one link)\n"
                           "  move [--source] --from X,Y --to X,Y MESH.kmw OUT.kmw\n"
                           "                            move the node at FROM to TO in the target mesh, or with\n"
                           "                            --source in the source mesh\n"
                           "  swap MESH.kmw OUT.kmw     exchange the source and target meshes\n"
                           "  complete MESH.kmw OUT.kmw complete the mesh into triangles as the warp does\n\n"
                           "Editing the source mesh (add-link, delete-link, move --source) makes the target a\n"
                           "copy of the source. A point finds the first node, in link order, less than 5\n"
                           "pixels off in x and in y; the edits exit with status 1 when none is there.\n\n") +
                       kMeshFile,
        .options = {{"from", "X,Y", "the point where the drag starts"},
                    {"to", "X,Y", "the point where the drag ends"},
                    {"source", "", "move: in the source mesh (normal mode) instead of the target"}},
        .minPositional = 2,
        .maxPositional = 4,
        .run = RunMesh,
    });
    registry.Add(Command{
        .name = "mesh-check",
        .summary = "report the triangles of a mesh that fold over and the nodes outside the picture",
        .arguments = "MESH.kmw",
        .description = "The mesh is completed into triangles as the warp does; a triangle folds when its\n"
                       "target turns over or loses all its area against the source (one without area in\n"
                       "the source is not checked). With --frames N every frame 1..N of the morph is\n"
                       "checked as the morph computes it, and each triangle is named at the first frame\n"
                       "where it folds. Exits with status 1 when anything folds, 0 otherwise: nodes\n"
                       "outside the picture are only reported. An unreadable mesh file is reported and\n"
                       "exits with status 1 as well.\n\n" +
                       std::string(kMeshFile),
        .options = {{"frames", "N", "check the frames 1..N of an N-frame morph, 1..65535 (default: the target)"},
                    {"size", "W,H", "also report the nodes outside a W x H picture, W and H 1..65535"}},
        .minPositional = 1,
        .maxPositional = 1,
        .run = RunMeshCheck,
    });
    registry.Add(Command{
        .name = "warp",
        .summary = "carry the picture from the source mesh onto the target mesh (\"Vykonaj warping\")",
        .arguments = "IN OUT",
        .description = "The mesh is completed into triangles (greedy, in node-number order, never across a\n"
                       "link of either mesh); each target triangle is filled with the affine image of its\n"
                       "source triangle, sampled bilinearly; pixels that map onto the last row or column,\n"
                       "or outside the picture, and pixels no triangle covers, are white. OUT has IN's size.\n"
                       "IN is read by its extension; OUT is written by its extension as Save does. A failed\n"
                       "run writes no OUT.\n\n" +
                       std::string(kMeshFile),
        .options = {{"mesh", "MESH.kmw", "the mesh file (required)"}, kWarpThreadsOption},
        .minPositional = 2,
        .maxPositional = 2,
        .run = RunWarp,
    });
    registry.Add(Command{
        .name = "morph",
        .summary = "render the frames of a morph animation (\"Vytvorenie animácie\")",
        .arguments = "IN OUTBASE",
        .description = "Frame k of N is the warp onto the target S + (k (T - S)) div N of every coordinate\n"
                       "(S source, T target, div truncating toward zero), written as OUTBASE + k + the\n"
                       "extension, with a \"0\" in front when k < 10 (OUTBASE01.bmp, OUTBASE02.bmp, ...).\n"
                       "Frame 0 is the picture as the warp renders it, frame N the full warp. A failed run\n"
                       "writes no frame and replaces none.\n\n" +
                       std::string(kMeshFile),
        .options = {{"mesh", "MESH.kmw", "the mesh file (required)"},
                    {"frames", "N", "\"Počet obrázkov\", 1..65535 (default 2; 0 is refused)"},
                    {"first", "K", "\"Začiatočný obrázok\", 0..N-1 (default 1, or 0 when N is 1)"},
                    {"last", "K", "\"Posledný obrázok\", FIRST..N (default N)"},
                    {"format", "F", "\"Grafický formát\": bmp or jpg (default bmp)"},
                    {"no-keep-mesh", "",
                     "clear \"Zachovávať takú istú sieť aj po warpingu\": links the triangulation adds stay"},
                    {"gif", "OUT.gif", "also write the frames as one animated GIF with one shared palette"},
                    {"delay", "CS", "frame delay of the GIF in hundredths of a second, 1..65535 (default 10)"},
                    kWarpThreadsOption},
        .minPositional = 2,
        .maxPositional = 2,
        .run = RunMorph,
    });
}

}  // namespace kelbo::cli
