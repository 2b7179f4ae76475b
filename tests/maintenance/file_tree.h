#pragma once
// Every file below a folder with its bytes, by path relative to it: what the maintenance tests
// compare data roots by.
#include <map>
#include <string>

#include "platform/paths.h"
#include "support/test_env.h"

namespace tav::test {

inline std::map<std::string, std::string> Tree(const std::string& root,
                                               const std::string& sub = "") {
  std::map<std::string, std::string> out;
  for (const std::string& name : ListFolder(root + sub)) {
    const std::string rel = sub + name;
    if (DirExists(root + rel))
      out.merge(Tree(root, rel + "/"));
    else
      out[rel] = ReadAll(root + rel);
  }
  return out;
}

}  // namespace tav::test
