#pragma once

// The encodings the console texts can be in: the program's own, and the Korean code page's.
enum class TextEncoding { Utf8, Cp949 };
