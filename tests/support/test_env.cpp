#include "support/test_env.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/mount.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

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

TempDir::TempDir(const std::string& parent) {
  const std::filesystem::path base =
      parent.empty() ? std::filesystem::temp_directory_path() : std::filesystem::path(parent);
  std::string templ = (base / "tavolin-test-XXXXXX").string();
  char* made = mkdtemp(templ.data());
  if (!made) throw std::runtime_error("mkdtemp failed");
  path_ = std::string(made) + "/";
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

TmpfsMount::TmpfsMount(size_t bytes) {
  const std::string options = "size=" + std::to_string(bytes) + ",mode=0755";
  if (::mount("tmpfs", dir_.Path().c_str(), "tmpfs", 0, options.c_str()) == 0) {
    mounted_ = true;
  } else {
    reason_ = std::string("cannot mount a tmpfs here (") + std::strerror(errno) +
              "); the test needs the rights of root";
  }
}

TmpfsMount::~TmpfsMount() {
  if (mounted_) ::umount2(dir_.Path().c_str(), MNT_DETACH);
}

bool TmpfsMount::MakeReadOnly() {
  return mounted_ &&
         ::mount("tmpfs", dir_.Path().c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0;
}

bool TmpfsMount::Fill() {
  std::FILE* f = std::fopen((Path() + "filler").c_str(), "wb");
  if (!f) return false;
  std::setvbuf(f, nullptr, _IONBF, 0);
  const std::string block(4096, 'f');
  bool full = false;
  for (int i = 0; i < (1 << 20) && !full; ++i)
    full = std::fwrite(block.data(), 1, block.size(), f) != block.size();
  // Single bytes into what a last page may still hold.
  while (full && std::fwrite("f", 1, 1, f) == 1) {
  }
  std::fclose(f);
  return full;
}

void TmpfsMount::Free() {
  std::remove((Path() + "filler").c_str());
}

TestEnv::TestEnv(const std::string& parent) : root_(parent), saved_(ctx()) {
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

std::string CommandOutput(const std::string& command, const std::string& errorsFile) {
  std::string out;
  std::FILE* pipe = popen((command + " 2>'" + errorsFile + "'").c_str(), "r");
  if (!pipe) return out;
  char buffer[4096];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
  pclose(pipe);
  return out;
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
