#pragma once
// The menu card: the open menu poured into the template "HTML/Menu.mpl" of the data root and
// written as "Menue/<title>.html". The template's markers are HTML comments, each on a line of
// its own: <!--$MN_Title-->, <!--$MN_Desc-->, <!--$MN_Bottom--> for the menu, and between the
// lines <!--$RepeatStart--> and <!--$RepeatEnd--> a block written once per course with
// <!--$MN_Type-->, <!--$MN_Recipe-->, <!--$MN_RecDesc-->. A line whose value is empty is left
// out (the title's line stays). Values are HTML-escaped; line breaks become "<br>".
#include <string>
#include <vector>

#include "recipedb/recipe_model.h"

namespace tav {

enum class MenuCardResult { Written, NoCourse, NoTemplate, NotWritable };

// The page's file name for a menu title: characters a file name cannot hold become "_"; an
// empty name becomes "Menue".
std::string MenuCardFileName(const std::string& title);
// The page made from the template's lines (CR LF after each line).
std::string MenuCardPage(const REZBLOCK& menu, const std::vector<std::string>& templateLines);
// Reads the template, writes the page (making its folder when missing); `page` is its path.
MenuCardResult WriteMenuCard(const REZBLOCK& menu, const std::string& dataRoot, std::string& page);

}  // namespace tav
