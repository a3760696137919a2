#include "cli/args.h"

#include <string>
#include <unistd.h>

#include "cli/output.h"
#include "cli/platform.h"

namespace tufu::cli {

namespace {

constexpr Option kGlobal[] = {
    {"--help", "-h", 0, Repeat::Last},
    {"--standard", {}, 1, Repeat::Last},
    {"--names", {}, 1, Repeat::All},
};
constexpr Option kAnswer[] = {
    {"--json", {}, 0, Repeat::Last},  {"--csv", {}, 0, Repeat::Last},
    {"--list", {}, 0, Repeat::Last},  {"--scale", {}, 1, Repeat::Last},
    {"--force", {}, 0, Repeat::Last}, {"--version", {}, 0, Repeat::Last},
};

const Option* find(std::string_view name, std::initializer_list<std::span<const Option>> tables) {
  for (std::span<const Option> table : tables)
    for (const Option& o : table)
      if (name == o.name || (!o.alias.empty() && name == o.alias)) return &o;
  return nullptr;
}

// A word split as an option: its name and, for "--name=value", the value.
struct Split {
  std::string_view name;
  bool inlinevalue = false;
  std::string_view value;
};
Split split(std::string_view word) {
  if (word.starts_with("--"))
    if (const auto eq = word.find('='); eq != std::string_view::npos)
      return {word.substr(0, eq), true, word.substr(eq + 1)};
  return {word, false, {}};
}

// Whether a word that names no option reads as one (an unknown option).
bool looksoption(std::string_view word, bool dashinputs) {
  if (word.starts_with("--")) return true;
  return !dashinputs && word.size() >= 2 && word[0] == '-';
}

}  // namespace

const std::span<const Option> kGlobalOptions = kGlobal;
const std::span<const Option> kAnswerOptions = kAnswer;
const std::span<const Option> kHelpOption{kGlobal, 1};

std::vector<std::string> Words::values(std::string_view name) const {
  const auto it = options.find(name);
  return it == options.end() ? std::vector<std::string>{} : it->second;
}

Words parseargs(std::span<const std::string> args,
                std::initializer_list<std::span<const Option>> tables, bool dashinputs) {
  Words w;
  bool ended = false;  // after "--"
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& word = args[i];
    if (ended) {
      w.positional.push_back(word);
      continue;
    }
    if (word == "--") {
      ended = true;
      continue;
    }
    const Split s = split(word);
    const Option* option = find(s.name, tables);
    if (option == nullptr) {
      if (looksoption(word, dashinputs)) {
        w.error = "未知选项 " + word;
        return w;
      }
      w.positional.push_back(word);
      continue;
    }
    const std::string key(option->name);
    std::vector<std::string> values;
    if (s.inlinevalue) {
      if (option->values == 0) {
        w.error = key + " 不带值";
        return w;
      }
      values.emplace_back(s.value);
    }
    while (static_cast<int>(values.size()) < option->values) {
      if (i + 1 >= args.size()) {
        w.error = key + (option->values == 1 ? " 需要一个值"
                                            : " 需要 " + std::to_string(option->values) + " 个值");
        return w;
      }
      values.push_back(args[++i]);
    }
    const bool again = w.has(key);
    auto& held = w.options[key];  // a flag is there with no value
    switch (option->repeat) {
      case Repeat::Once:
        if (again) {
          w.error = key + " 只能给一次";
          return w;
        }
        held = std::move(values);
        break;
      case Repeat::Last: held = std::move(values); break;
      case Repeat::All:
        for (std::string& v : values) held.push_back(std::move(v));
        break;
    }
  }
  return w;
}

std::size_t commandat(std::span<const std::string> args,
                      std::initializer_list<std::span<const Option>> tables) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& word = args[i];
    if (word == "--") return i + 1;
    const Split s = split(word);
    if (const Option* option = find(s.name, tables)) {
      if (!s.inlinevalue) i += static_cast<std::size_t>(option->values);
      continue;
    }
    if (!word.starts_with("--") && word != "-h") return i;
  }
  return args.size();
}

std::optional<Edition> editionof(const Words& w, std::string& error) {
  const std::string standard = w.has("--standard") ? w.value("--standard") : "1992";
  if (standard == "1992") return Edition::k1992;
  if (standard == "2012") return Edition::k2012;
  error = "未知的编号标准 " + standard + " (应为 1992 或 2012)";
  return std::nullopt;
}

std::string mergenames(const Words& w, Gazetteer& names) {
  for (const std::string& file : w.values("--names"))
    if (std::string err = names.merge(file); !err.empty()) return err;
  return {};
}

int usage(std::string_view why) {
  Buffer out;
  out += "tufu-cli: ";
  textsafe(out, why);
  out += "\n用 --help 查看用法\n";
  print(STDERR_FILENO, out.view());
  return 2;
}

int fatal(std::string_view why) {
  print(STDERR_FILENO, "tufu-cli: " + std::string(why) + "\n");
  return 2;
}

}  // namespace tufu::cli
