#include "all_commands.h"

namespace kelbo::cli {

CommandRegistry AllCommands() {
    CommandRegistry registry;
    AddBatchCommand(registry);
    AddColourCommands(registry);
    AddCombineCommands(registry);
    AddConvertCommand(registry);
    AddEffectCommands(registry);
    AddFilterCommands(registry);
    AddGeometryCommands(registry);
    AddGifFramesCommand(registry);
    AddInfoCommand(registry);
    AddTestCardCommand(registry);
    AddWarpCommands(registry);
    return registry;
}

}  // namespace kelbo::cli
