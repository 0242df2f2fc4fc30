#include "all_commands.h"

namespace kelbo::cli {

CommandRegistry AllCommands() {
  CommandRegistry registry;
  AddConvertCommand(registry);
  AddGifFramesCommand(registry);
  AddInfoCommand(registry);
  AddTestCardCommand(registry);
  return registry;
}

}  // namespace kelbo::cli
