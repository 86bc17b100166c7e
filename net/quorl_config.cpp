#include "net/quorl_config.h"

namespace quorl {

std::string ReadQuorlConfig(NetworkContext& ctx, std::string_view key) {
  if (!ctx.network.readQuorlConfig) return {};
  std::string value = ctx.network.readQuorlConfig(key);
  if (value.size() > 255) value.resize(255);
  return value;
}

}  // namespace quorl
