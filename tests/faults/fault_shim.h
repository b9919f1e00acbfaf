#pragma once

// Fails the file-system calls of a save on purpose. Linked into a test
// program, the functions of fault_shim.cpp take the place of the C library's
// write, fsync, fdatasync and rename for every caller in the process, Qt
// included, and hand the call on unchanged unless a fault is armed. Only
// files and folders below the watched folder are touched.

#include <string>

namespace faults {

enum class Fault {
    None,
    Write,      // the disk is full (ENOSPC) once `offset` bytes are written to one file
    FileSync,   // fsync or fdatasync of a file fails (EIO)
    Rename,     // rename fails (EIO)
    FolderSync, // fsync of a folder fails (EIO)
};

void Watch(const std::string& folder);
void Arm(Fault fault, long offset = 0);
void Disarm();
// How often the armed fault struck since it was armed.
int Hits();

} // namespace faults
