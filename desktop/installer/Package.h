// The package description: which folder to make beside the application
// manager, which INI file to hand it, and the files to write, in order. It is
// read from the string table.
#pragma once

struct Package {
    char folder[80]; // the folder created beside the application manager
    char ini[40];    // the INI file handed to the application manager
    int count;       // how many files
    char** files;    // each the name of a file and of the resource with its bytes
};

// Fills package from the strings 200, 201 and 400 on (up to the first id that
// has none). False when one of them is missing or memory ran out: what was
// stored is still there for ReleasePackage.
bool BuildPackage(Package* package);
void ReleasePackage(Package* package);
