#pragma once
// The extended attributes of a file (its access control list, security labels, user
// attributes), carried over to the file that is to replace it.

#include <string>

// Gives the open file fd exactly the extended attributes of the file at original: each of
// original's is set where fd lacks it or holds another value, and each fd has that original
// lacks (an access list inherited from the folder's default) is removed. Returns false, with
// errno set, when one of them cannot be read, set or removed: the new file would then let in
// others than the old one did. A file system without extended attributes has none to carry.
bool CopyExtendedAttributes(const std::string& original, int fd);
