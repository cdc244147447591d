#pragma once
// How a character record owns its picture without knowing the picture's make-up: the record code clones
// and releases a picture only through these two functions.
class CPicture;

// A new picture that copies the source, owned by the caller; null for a null source.
// Lacking memory raises CFail 12 in unit "BPicture".
CPicture* clonePicture(const CPicture* source);

// Deletes the picture the variable holds, if any, and nulls the variable.
void disposePicture(CPicture*& picture);
