#pragma once
// Opening a document or an address with the user's default application.
#include <cstdint>
#include <functional>
#include <string>

namespace ctl {

// Result codes of a shell open: above 32 success; 2 file not found, 3 path not found,
// 5 access denied, 31 no application for the kind of file or address.
constexpr int32_t SE_ERR_FNF = 2;
constexpr int32_t SE_ERR_PNF = 3;
constexpr int32_t SE_ERR_ACCESSDENIED = 5;
constexpr int32_t SE_ERR_NOASSOC = 31;
constexpr int32_t SE_OPENED = 33;

// Opens a local path (absolute, or relative to `folder`) or an address with a scheme
// ("mailto:", "http:"...) through the desktop's services.
int32_t ShellExecute(const std::string& target, const std::string& folder = "/");

// Hosts that must not start other programs (script hosts, tests) take the opens themselves;
// the handler's result is the result code. Null restores the desktop's services.
void SetShellHandler(std::function<int32_t(const std::string& target)> handler);

}  // namespace ctl
