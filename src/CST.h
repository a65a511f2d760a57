// One relation type of Cross-document Structure Theory, as the relation
// description file gives it.

#ifndef SENTRALIGN_CST_H_
#define SENTRALIGN_CST_H_

#include <string>

// A relation type: its name, the weight of every edge made for it, and the
// direction its edges run ('t' source to target, 'f' target to source; any
// other byte makes no edges). A value type: lists hold copies.
class CST {
 public:
  CST() = default;
  CST(const CST&) = default;
  CST& operator=(const CST&) = default;
  virtual ~CST();

  std::string getName() const { return name; }
  void setName(const std::string& s) { name = s; }
  // Appends the byte c to the name.
  void addCharToName(char c) { name.push_back(c); }

  float getWeight() const { return weight; }
  void setWeight(float f) { weight = f; }

  char getDirection() const { return direction; }
  void setDirection(char c) { direction = c; }

  // The name without a copy, for the lookups of the relation reader.
  const std::string& nameRef() const { return name; }

 private:
  std::string name;
  float weight = 0.0f;
  char direction = '\0';  // NUL until a record sets it: makes no edges
};

#endif  // SENTRALIGN_CST_H_
