#include "all_commands.h"

namespace kelbo::cli {

CommandRegistry AllCommands() {
  CommandRegistry registry;
  AddInfoCommand(registry);
  AddTestCardCommand(registry);
  return registry;
}

}  // namespace kelbo::cli
