#include "platform/win32/security_library.h"

#include "platform/win32/entry_points.h"

namespace quorl::platform {
namespace {

bool FindAll(HMODULE crypt32, CertificateFunctions& functions) {
#define QUORL_FIND(name) &&FindEntryPoint(crypt32, #name, functions.name)
  return true QUORL_CERTIFICATE_FUNCTIONS(QUORL_FIND);
#undef QUORL_FIND
}

}  // namespace

SecurityLibrary::~SecurityLibrary() {
  if (crypt32_) FreeLibrary(crypt32_);
  if (secur32_) FreeLibrary(secur32_);
}

bool SecurityLibrary::Load() {
  if (sspi_) return true;
  if (!secur32_) secur32_ = LoadLibraryA("SECUR32.DLL");
  if (!crypt32_) crypt32_ = LoadLibraryA("CRYPT32.DLL");
  if (!secur32_ || !crypt32_ || !FindAll(crypt32_, certificates_)) return false;
  INIT_SECURITY_INTERFACE_A initialise = nullptr;
  if (!FindEntryPoint(secur32_, "InitSecurityInterfaceA", initialise)) return false;
  sspi_ = initialise();
  return sspi_ != nullptr;
}

}  // namespace quorl::platform
