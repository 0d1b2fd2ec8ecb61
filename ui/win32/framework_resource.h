// String ids of the dialog framework's own messages. Every program that uses
// the framework puts these strings in its string table (framework_strings.rc
// in Chinese, framework_strings_en.rc in an English resource library), so
// the messages follow the program's language.
#pragma once

#define IDS_FRAMEWORK_PARSE_INT 0xE110
#define IDS_FRAMEWORK_PARSE_REAL 0xE111
#define IDS_FRAMEWORK_INT_RANGE 0xE112
#define IDS_FRAMEWORK_REAL_RANGE 0xE113
