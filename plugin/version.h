// The plug-in's version, written once. The version block (korzel.rc) and the
// About box both take it from here.
#pragma once

#define KORZEL_VERSION_MAJOR 1
#define KORZEL_VERSION_MINOR 0
#define KORZEL_VERSION_PATCH 0
#define KORZEL_VERSION_BUILD 0

#define KORZEL_STR_(x) #x
#define KORZEL_STR(x) KORZEL_STR_(x)

// "1.0.0.0"
#define KORZEL_VERSION_STRING \
    KORZEL_STR(KORZEL_VERSION_MAJOR.KORZEL_VERSION_MINOR.KORZEL_VERSION_PATCH.KORZEL_VERSION_BUILD)
// "1.0", as the About box shows it
#define KORZEL_VERSION_SHORT_STRING KORZEL_STR(KORZEL_VERSION_MAJOR.KORZEL_VERSION_MINOR)

#define KORZEL_COMPANY_NAME "Korzel Developers"
#define KORZEL_COPYRIGHT "Copyright (C) 2026 Korzel Developers"
