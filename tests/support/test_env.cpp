#include "support/test_env.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

#include "platform/paths.h"
#include "platform/text_file.h"
#include "services/lang_table.h"
#include "services/options_store.h"

namespace tav::test {

int FakeMessageBoxes::Show(const std::string& text, const std::string& title, int flags) {
  shown.push_back({text, title, flags});
  if (answers.empty()) return defaultAnswer;
  const int a = answers.front();
  answers.pop_front();
  return a;
}

bool FakeLauncher::Start(const std::string& program, const std::string& arguments,
                         const std::string& workDir, int& error) {
  started.push_back({program, arguments, workDir});
  if (!succeed) error = failError;
  return succeed;
}

TempDir::TempDir() {
  std::string templ = (std::filesystem::temp_directory_path() / "tavolin-test-XXXXXX").string();
  char* made = mkdtemp(templ.data());
  if (!made) throw std::runtime_error("mkdtemp failed");
  path_ = std::string(made) + "/";
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

TestEnv::TestEnv() : saved_(ctx()) {
  for (const char* sub : {"Data/DE", "Data/EN", "Pics", "HTML", "Export", "Import"})
    MakeDirs(Root() + sub);
  machineSettings.WriteString(kRegAppPaths, "DataPath", Root());
  Context fresh;
  fresh.userSettings = &userSettings;
  fresh.machineSettings = &machineSettings;
  fresh.messages = &messages;
  fresh.shell = &shell;
  fresh.clipboard = &clipboard;
  fresh.launcher = &launcher;
  fresh.progress = &progress;
  fresh.exitProcess = [this](int code) { exitCode = code; };
  ctx() = fresh;
}

TestEnv::~TestEnv() { ctx() = saved_; }

void TestEnv::LoadLanguage(const std::string& lang) {
  const std::string src = std::string(TAVOLIN_SHIPPED_DATA) + "/Data/" + lang + "/GUI.klf";
  const std::string dst = Root() + "Data/" + lang + "/GUI.klf";
  WriteAll(dst, ReadAll(src));
  lang_ = std::make_unique<LangTable>();
  lang_->Load(dst);
  ctx().lang = lang_.get();
}

OptionsStore& TestEnv::Options() {
  options_ = std::make_unique<OptionsStore>();
  options_->LoadOptions(Root());
  ctx().options = options_.get();
  return *options_;
}

std::string ReadAll(const std::string& path) {
  std::string bytes;
  ReadFileBytes(path, bytes);
  return bytes;
}

void WriteAll(const std::string& path, const std::string& bytes) {
  const size_t slash = path.rfind('/');
  if (slash != std::string::npos) MakeDirs(path.substr(0, slash));
  std::FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr) << path;
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

std::string Fixture(const std::string& name) { return std::string(TAVOLIN_FIXTURES) + "/" + name; }

}  // namespace tav::test
