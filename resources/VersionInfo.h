// The values of both programs' version blocks and the maker's addresses, defined once for the
// resource scripts, the About box and the tests that read the blocks back. Plain macros: the
// resource compiler reads this file too.
#pragma once

// ----- The maker
#define HALVEX_COMPANY_NAME "Halvex Software"
#define HALVEX_COPYRIGHT "Copyright (C) 2000 Halvex Software. All rights reserved."
#define HALVEX_WEB_ADDRESS "http://www.halvex.example"
#define HALVEX_SUPPORT_MAIL "support@halvex.example"
#define HALVEX_PHONE_FAX "Tel./Fax: +1 (206) 555-0142"

// ----- Dustora.exe
#define DUSTORA_PRODUCT_NAME "Dustora"
#define DUSTORA_FILE_VERSION "2.0"
#define DUSTORA_BUILD "693"
#define DUSTORA_VERSION_NUMBERS 2, 0, 693, 0
#define DUSTORA_HOME_PAGE "http://www.halvex.example/dustora/"

// ----- Ordavel.EXE
#define ORDAVEL_PRODUCT_NAME "Dustora Automatic Scheduler"
#define ORDAVEL_FILE_VERSION "1.1"
#define ORDAVEL_VERSION_NUMBERS 1, 1, 0, 1

// The language and code page of both blocks' strings: U.S. English, Unicode.
#define VERSION_STRINGS_BLOCK "040904B0"
