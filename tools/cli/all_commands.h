#pragma once

#include "commands.h"

namespace kelbo::cli {

// Each file of subcommands adds its own; the full set is built here.
void AddBatchCommand(CommandRegistry& registry);
void AddColourCommands(CommandRegistry& registry);
void AddCombineCommands(CommandRegistry& registry);
void AddConvertCommand(CommandRegistry& registry);
void AddEffectCommands(CommandRegistry& registry);
void AddFilterCommands(CommandRegistry& registry);
void AddGeometryCommands(CommandRegistry& registry);
void AddGifFramesCommand(CommandRegistry& registry);
void AddInfoCommand(CommandRegistry& registry);
void AddTestCardCommand(CommandRegistry& registry);
void AddWarpCommands(CommandRegistry& registry);

CommandRegistry AllCommands();

}  // namespace kelbo::cli
