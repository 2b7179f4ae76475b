#pragma once
// The food database files, read only:
//   Structure.bls (language folder)  the tree of food groups
//   Index.bls     (language folder)  per group: byte offsets of its first line in Names.bls and
//                                    Data.bls ("X": the group has no data)
//   Names.bls     (language folder)  one food a line: the 7-character key, then the name
//   Data.bls      (data folder)      one food a line: key and every value, ';'-separated, in
//                                    the order of the nutrient table (Fields.bls)
// Names and data are ordered by key, so a group's foods stand together. No file is held open
// or in memory: every lookup opens its file, seeks to the group and reads that group only.
//
// The food browser TBLSMainDlg is this object (it derives from it); the readers of every
// other part go through it (ctx().foods).
#include <string>
#include <vector>

namespace tav {

// One food record, or any line of nutrient values.
struct LB_DATA {
  char key[12] = {};                // field 0, at most 11 characters
  std::string name;                 // from Names.bls; empty for a record read from Data.bls
  std::vector<std::string> values;  // value i belongs to entry i of the nutrient table

  // Value i; "" when the record has no field i.
  const std::string& Value(size_t i) const;
  void SetKey(const std::string& text);
};

// One entry of the group index.
struct KEYOFFSET {
  char key[4] = {};  // the group's two key characters
  long namesOffset = 0;
  long dataOffset = 0;  // -2: the group has no data
};

// One node of the group tree. `data`: low byte the main-group character, next byte the
// sub-group character (a blank for a main group).
struct BLSGROUPNODE {
  std::string text;
  int data = 0;
  std::vector<BLSGROUPNODE> children;
};

// Comparison operators of the search by amount, in the order of the operator list.
enum BlsCompare { kBlsLess = 0, kBlsLessEqual, kBlsEqual, kBlsGreaterEqual, kBlsGreater };

class FoodDatabase {
 public:
  FoodDatabase() = default;
  virtual ~FoodDatabase() = default;

  // Reads Structure.bls; false when it cannot be opened.
  static bool ReadBLSGroupTree(std::vector<BLSGROUPNODE>& tree);
  // Reads the tree and hands it to the browser (false) or the chooser (true); message 389
  // when Structure.bls cannot be opened.
  void LoadBLSGroupTree(bool forChooser);
  // Reads Index.bls into the group index; false (no message) when it cannot be opened.
  bool LoadBLSIndex();
  // Appends the foods that match the query from Names.bls: one letter lists a main group, two
  // characters a sub-group, a longer query (a key or key prefix) the foods whose key begins
  // with it. A food of another group is never listed.
  void LoadBLSFoodNames(const char* query, std::vector<LB_DATA>* list);
  // A Data.bls line cut at every ';' (empty pieces kept); value 0 becomes the key.
  static void SplitBLSRecord(const std::string& line, LB_DATA* out);
  // All values joined with ';'; out unchanged when the food has none.
  static void JoinBLSValues(const LB_DATA* food, std::string* out);
  // The food's record from Data.bls. On success the values are padded with empty texts up to
  // the size of the nutrient table. False when the group has no data, the file cannot be
  // opened (message 391) or the key is missing (message 392 when reportMissing); out is then
  // left without values.
  bool ReadBLSFood(const std::string& key, LB_DATA* out, bool reportMissing);
  // The food's energy per 100 g as text: field 5 (kJ) or 4 (kcal).
  bool ReadBLSEnergy(const std::string& key, bool kJ, std::string* out);
  // Lists the key into the food list and gives the first food's name.
  bool FindBLSNameByKey(const std::string& key, std::string* name);

  // The search engine: empties the food list and fills it with the hits. kind 'B' by key or
  // key prefix, 'L' by a part of the name (upper case), 'S' by amount: the food's value of the
  // nutrient `code` compared by `op` with the limit `text`.
  void SearchBLS(char kind, const std::string& text, int op, const std::string& code);

  // The group index entry for a query: first character, and the second unless the query has
  // one character only; null when there is none.
  const KEYOFFSET* FindIndexEntry(const std::string& query) const;

  std::vector<KEYOFFSET> index;   // the group index, in file order
  std::vector<LB_DATA> foodList;  // filled by the group view and the search
  LB_DATA currentFood;            // the food whose values the browser shows

 protected:
  // Window hooks of the browser.
  virtual void FillGroupTree(bool /*forChooser*/, const std::vector<BLSGROUPNODE>& /*tree*/) {}
  // The food grid is cut to its title row and one row; with noFoodNotice that row shows an
  // empty key and language text 394.
  virtual void CutFoodGrid(bool /*noFoodNotice*/) {}

 private:
  void SearchByName(const std::string& text);
  void SearchByAmount(const std::string& text, int op, const std::string& code);
  // LoadBLSFoodNames on an open Names.bls (the amount search keeps it open for all its hits).
  void ListNames(class BlsLineFile& names, const std::string& query, std::vector<LB_DATA>* list);
};

// True when a food's value is a hit for the limit under the operator (0 '<' … 4 '>');
// any other operator gives no hit.
bool BlsAmountMatches(double value, int op, double limit);

}  // namespace tav
