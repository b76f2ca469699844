// The languages the programs speak to the user in, each stored in its own code page: English
// (ASCII), simplified Chinese (936) and traditional Chinese (950). Tables of texts are indexed by it.
#pragma once

enum class TextLanguage { English, SimplifiedChinese, TraditionalChinese };
