// Where the files that ship with the program (the stop list, the relation
// description, the example corpus) are found.

#ifndef SENTRALIGN_DATADIR_H_
#define SENTRALIGN_DATADIR_H_

#include <string>
#include <vector>

// The directory of the shipped files, ending with '/': share/sentralign
// beside the bin directory of an installed program, else the source tree's
// data directory, fixed when the program was built.
std::string installationDirectory();

// `name` itself when the working directory holds that name (a file, or a
// directory, which then fails to read), else that name in
// installationDirectory(). A symbolic link of that name that leads nowhere
// (its target is missing, or links loop) is passed over for the shipped
// file, and *finding (when given) says so in one line, "NAME: ...";
// otherwise *finding is emptied.
std::string startupFilePath(const std::string& name, std::string* finding = nullptr);

// Where a run reads its two start-up files from, each found by
// startupFilePath, and a line for each broken link passed over.
struct StartupFilePaths {
  std::string stopList;     // "stoplist_portugues.txt"
  std::string description;  // "FILE_DESCRIPTION_RELATIONS_CST.txt"
  std::vector<std::string> findings;
};
StartupFilePaths findStartupFiles();

#endif  // SENTRALIGN_DATADIR_H_
