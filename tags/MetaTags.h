#pragma once
// The page's META tags as the META dialog reads and writes them, and the count of the page's
// words that keyword extraction offers.

#include "platform/SysUtils.h"

#include <unordered_set>
#include <vector>

// The values of the META tags the dialog knows.
struct TMetaFields {
    String Keywords;
    String Description;
    String Rating;
    String Revisit;
    String ObjectType;
    String RedirectURL;
    String RedirectSecs;
    String Creation;
    String Expire;
    String ReplyTo;
    String ResourceType;
    String Distribution;
    String Copyright;
    String TargetWindow;
    bool DontIndex = false;
    bool DontFollow = false;
    bool NoCache = false;
};

// The reading pass: takes the known META tags out of the page, each with the line break that
// ends its line, and puts their values into fields (a field without a tag of its own keeps its
// value). Every other byte of the page stays as it was.
String TakeMetaTags(const String& page, TMetaFields& fields);

// The block of META tags written after the page's HEAD start tag, version naming the program's.
String MetaBlock(const TMetaFields& fields, const String& version);

// The block as it goes into the page at position: without its last line break when a line
// break follows there already, so that reading the block back and writing it again gives the
// same page.
String MetaBlockAt(const String& page, int position, const TMetaFields& fields,
                   const String& version);

// Where the block goes: after the first "<HEAD>", else after a HEAD start tag with attributes,
// else at the start of the page. A 0-based position.
int MetaBlockPosition(const String& page);

// A word of the page and how often it occurs.
struct TKeywordCount {
    String Word; // as at its first occurrence
    int Count = 0;
};

// The page's words outside tags, punctuation removed, of three or more characters and not in
// excluded (lower-case words), counted without regard to case; ordered by count, highest first,
// then by word.
std::vector<TKeywordCount> CountKeywords(const String& page,
                                         const std::unordered_set<String>& excluded);

// The list item for a counted word: the count right-aligned in a lead of blanks, four blanks and
// the word.
String KeywordItem(const TKeywordCount& keyword);
// The word of a list item.
String WordOfItem(const String& item);
