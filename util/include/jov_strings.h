// Text, switch, number, file-name and memory operations shared by every tool.
//
// Text is 8-bit and NUL-terminated. A character is blank when its code, read as a signed byte,
// is 32 or less and it is not the terminator (codes 1-32 and 128-255).
//
// Buffers that receive a text whose length the caller cannot know in advance (items, switch
// values, file names, paths) must hold JOV_TEXT_SIZE bytes: longer results are cut to
// JOV_TEXT_SIZE - 1 characters, and a full path that would not fit leaves the path unchanged.
#ifndef JOV_STRINGS_H
#define JOV_STRINGS_H

#include <stddef.h>
#include <stdint.h>

#define JOV_TEXT_SIZE 256

#ifdef __cplusplus
extern "C" {
#endif

// ---- Text ----
void Trim(char* text);      // blanks off both ends, in place
void TrimAscii(char* text); // the same as Trim
void TrimL(char* text);     // leading blanks only
// Takes the first blank-separated item off `list` (one ',' after it is a separator).
void GetAndRemoveFirst(char* item, char* list);
// As GetAndRemoveFirst; an item in double quotes may hold blanks and commas.
void GetAndRemoveFirstQuoted(char* item, char* list);
void RemoveQuotes(char* text);
// Trims, then appends the directory separator unless empty or ending in ':' or a separator.
void AddBackslash(char* path);
char* findchar(const char* text, int character);

// ---- Switches ----
// A switch is '/' or '-', one letter, and a value written directly behind the letter. It must
// start a blank-separated word; a word with a further '/' after its first character, or one that
// names an existing file, is a file name. Letters are compared upper-cased: pass upper case.
int GetSwitch(char* cmdline, char letter);
int32_t GetSwitchNum(char* cmdline, char letter, int32_t defaultValue);
// Returns true when the switch was found (the outputs then hold its value).
int GetSwitchFractional(char* cmdline, char letter, int32_t* numerator, int32_t* denominator,
                        int32_t defaultNumerator, int32_t defaultDenominator);
int GetSwitchStr(char* cmdline, char letter, char* value, const char* defaultText);
// Each /-X removes every earlier switch X with its value, and itself; a bare /- at the end cuts.
void RemoveMinusSwitches(char* cmdline);
// The first switch left in the command line (by the rule above), or null: what is left once
// the known switches are read must be file names only.
char* FindSwitch(char* cmdline);

// ---- Numbers ----
// Reads [-]digits[.digits][;digits[.digits]] as an exact reduced fraction; returns the first
// character not consumed. Malformed text gives 0/1.
const char* atofr(const char* text, int32_t* numerator, int32_t* denominator);
void GCDNums(int32_t* numerator, int32_t* denominator);
char* u32toa(char* text, uint32_t value);  // signed decimal; returns the terminator written
uint32_t atou32(const char* text);
void CommaNum(char* text, uint32_t value);  // 1000000 -> "1,000,000"
// Rate code -> hundredths of a frame per second (0: 0; below -1500: hundredths; -1500..-1:
// whole frames per second; positive: milliseconds per frame). Non-zero results are at least 5.
uint32_t MakeFrameRate(int32_t rateCode);
char* GetElapsedTime(char* text, uint32_t milliseconds);  // "1 minute 1 second"

// ---- File names ----
// The '.' of the last path element's extension, or null.
char* HasExtension(const char* path);
void ExpandFileName(char* path);
char GetDrive(char* path);
int IsDirectory(char* path, int stay);
void GetFilePieces(char* path, uint8_t keepDrive, uint8_t keepDirectory, uint8_t keepName,
                   uint8_t keepExtension);
char* GetTempName(char* name, const char* directory, const char* prefix, uint32_t number);

// ---- Memory ----
// 32-byte aligned blocks; null for 0 or all bits set, or (with a message) when memory runs out.
void* jovmalloc(size_t bytes);
void jovfree(void* block);

#ifdef __cplusplus
}
#endif

#endif
