// Where the files that ship with the program (the stop list, the relation
// description, the example corpus) are found.

#ifndef SENTRALIGN_DATADIR_H_
#define SENTRALIGN_DATADIR_H_

#include <string>

// The directory of the shipped files, ending with '/': share/sentralign
// beside the bin directory of an installed program, else the source tree's
// data directory, fixed when the program was built.
std::string installationDirectory();

// `name` itself when a file of that name is in the working directory, else
// that name in installationDirectory().
std::string startupFilePath(const std::string& name);

#endif  // SENTRALIGN_DATADIR_H_
