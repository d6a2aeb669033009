// POSIX: the registry is the REGEDIT export file that the stand-in host names, read anew at every call.
#include <cstdlib>
#include <fstream>

#include "real_parts.h"
#include "registry_file.h"
#include "platform/limits.h"
#include "platform/standin_host.h"

namespace platform {
namespace {

class PosixRegistry final : public Registry {
 public:
  RegistryValue ReadString(std::u16string_view key, std::optional<std::u16string_view> name,
                           std::size_t maxBytes) override {
    return Load().Read(key, name, maxBytes);
  }

 private:
  static RegistryFile Load() {
    const char* path = std::getenv(kRegistryFileVariable);
    if (path == nullptr || *path == '\0') return {};
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0 || static_cast<std::uint64_t>(size) > kMaxRegistryFileBytes) return {};
    in.seekg(0, std::ios::beg);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    in.read(bytes.data(), size);
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return RegistryFile::Parse(bytes);
  }
};

}  // namespace

Registry& RealRegistry() {
  static PosixRegistry registry;
  return registry;
}

}  // namespace platform
