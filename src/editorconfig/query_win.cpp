#include <windows.h>

#include <editorconfig/editorconfig.h>
#include <pcre2.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "editorconfig/query.h"
#include "frame/guarded.h"
#include "frame/messages.h"
#include "frame/path_limit.h"
#include "frame/result_buffer.h"

namespace lmx::editorconfig {
namespace {

struct Properties {
  std::vector<std::string> names, values;
  void clear() { names.clear(), values.clear(); }
};
Properties& properties() {
  static Properties lists;
  return lists;
}

char g_error[1024];

// The messages of this layer (exports/messages.txt), in code page 932.
namespace message {
LMX_MESSAGES_editorconfig(LMX_MESSAGE_NAMED)
}  // namespace message
constexpr const char* kMessage[] = {
    "UTF-16LE\x95\xCF\x8A\xB7\x97p\x83\x81\x83\x82\x83\x8A\x83T\x83\x43\x83Y\x82\xCC\x8E\xE6\x93\xBE\x82\xC9\x8E\xB8\x94s",  // UTF-16LE変換用メモリサイズの取得に失敗
    "UTF-16LE\x95\xCF\x8A\xB7\x97p\x83\x81\x83\x82\x83\x8A\x8Am\x95\xDB\x82\xC9\x8E\xB8\x94s",  // UTF-16LE変換用メモリ確保に失敗
    "UTF16\x95\xCF\x8A\xB7\x82\xC9\x8E\xB8\x94s",  // UTF16変換に失敗
    "UTF8\x95\xCF\x8A\xB7\x97p\x83\x81\x83\x82\x83\x8A\x83T\x83\x43\x83Y\x82\xCC\x8E\xE6\x93\xBE\x82\xC9\x8E\xB8\x94s",  // UTF8変換用メモリサイズの取得に失敗
    "UTF8\x95\xCF\x8A\xB7\x97p\x83\x81\x83\x82\x83\x8A\x8Am\x95\xDB\x82\xC9\x8E\xB8\x94s",  // UTF8変換用メモリ確保に失敗
    "UTF8 to UTF16LE\x95\xCF\x8A\xB7\x82\xC9\x8E\xB8\x94s",  // UTF8 to UTF16LE変換に失敗
    // In the core library's language: a path longer than Windows allows names no file.
    "File path is too long.",
};

intptr_t fail(const char* message) {
  std::snprintf(g_error, sizeof g_error, "%s", message);
  return -1;
}

struct HandleDestroy {
  void operator()(editorconfig_handle h) const { editorconfig_handle_destroy(h); }
};
using Handle = std::unique_ptr<std::remove_pointer_t<editorconfig_handle>, HandleDestroy>;

intptr_t query(const char* utf8_path) {
  properties().clear();
  Handle handle(editorconfig_handle_init());
  if (!handle) return fail(editorconfig_get_error_msg(EDITORCONFIG_PARSE_MEMORY_ERROR));
  // No version asked for: the parse follows the library's own.
  editorconfig_handle_set_version(handle.get(), -1, -1, -1);
  if (const int status = editorconfig_parse(utf8_path, handle.get())) return fail(editorconfig_get_error_msg(status));
  const bool stored = guarded(false, [&] {
    const int count = editorconfig_handle_get_name_value_count(handle.get());
    for (int i = 0; i < count; ++i) {
      const char *name = nullptr, *value = nullptr;
      editorconfig_handle_get_name_value(handle.get(), i, &name, &value);
      properties().names.emplace_back(name ? name : "");
      properties().values.emplace_back(value ? value : "");
    }
    return true;
  });
  if (!stored) {
    properties().clear();
    return fail(editorconfig_get_error_msg(EDITORCONFIG_PARSE_MEMORY_ERROR));
  }
  return static_cast<intptr_t>(properties().names.size());
}

// The UTF-16 path as UTF-8, then the query.
intptr_t query_wide(const wchar_t* path) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, path, -1, nullptr, 0, nullptr, nullptr);
  if (size == 0) return fail(message::utf8_size);
  std::unique_ptr<char[]> utf8(new (std::nothrow) char[size + 2]());
  if (!utf8) return fail(message::utf8_memory);
  if (!WideCharToMultiByte(CP_UTF8, 0, path, -1, utf8.get(), size, nullptr, nullptr))
    return fail(message::utf8_convert);
  return query(utf8.get());
}

const char* entry(const std::vector<std::string>& list, intptr_t index) {
  if (index < 0 || static_cast<std::size_t>(index) >= list.size()) return kEmptyResult;
  const std::string& text = list[static_cast<std::size_t>(index)];
  return result().assign(text, text.size() + kSlack) ? result().data() : kEmptyResult;
}

// Both version texts fit in 80 bytes.
const char* versioned(const char* format, const char* text) {
  if (!result().ensure_doubled(80)) return kEmptyResult;
  std::snprintf(result().data(), result().capacity(), format, text);
  return result().data();
}

}  // namespace

intptr_t execute(const char* ansi_path) {
  g_error[0] = 0;
  if (!*ansi_path) return -1;
  if (!path_fits(ansi_path)) return fail(message::path_too_long);
  const int size = MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, ansi_path, -1, nullptr, 0);
  if (size == 0) return fail(message::utf16_size);
  std::unique_ptr<wchar_t[]> wide(new (std::nothrow) wchar_t[size + 2]());
  if (!wide) return fail(message::utf16_memory);
  if (!MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, ansi_path, -1, wide.get(), size))
    return fail(message::utf16_convert);
  return query_wide(wide.get());
}

intptr_t execute(const wchar_t* path) {
  g_error[0] = 0;
  if (!*path) return -1;
  if (!path_fits(path)) return fail(message::path_too_long);
  return query_wide(path);
}

const char* key(intptr_t index) { return entry(properties().names, index); }
const char* value(intptr_t index) { return entry(properties().values, index); }

intptr_t clear() { return properties().clear(), 1; }

const char* error_message() { return g_error; }

const char* version_text() {
  int major = 0, minor = 0, patch = 0;
  editorconfig_get_version(&major, &minor, &patch);
  char text[64];
  std::snprintf(text, sizeof text, "%d.%d.%d%s", major, minor, patch, editorconfig_get_version_suffix());
  return versioned("EditorConfig C Core Version %s", text);
}

const char* pcre2_version_text() {
  char text[64] = "";
  if (pcre2_config(PCRE2_CONFIG_VERSION, nullptr) <= static_cast<int>(sizeof text)) pcre2_config(PCRE2_CONFIG_VERSION, text);
  return versioned("EditorConfig:pcre2 library version %s", text);
}

void stop_lists(StopReason) { properties().clear(); }

}  // namespace lmx::editorconfig
