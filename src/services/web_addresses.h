#pragma once
// Pages of the maker outside the program, opened through the shell.
namespace tav {

inline constexpr const char* kMakerWebSite = "https://www.brimo.example/tavolin/";
inline constexpr const char* kMakerFaqPage =
    "https://www.brimo.example/tavolin/index.php?Mod=Or&SCa=Tavolin-FAQ";
inline constexpr const char* kMakerCompanySite = "https://www.brimo.example/";
inline constexpr const char* kCookMLPage = "https://www.brimo.example/tavolin/cml/cookml.html";

}  // namespace tav
