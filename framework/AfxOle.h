// The framework's OLE start-up, as the application calls it from InitInstance.
#pragma once

#include <windows.h>

// Hosting OLE controls needs nothing more than OLE itself here.
void AfxEnableControlContainer();
// OleInitialize for the calling thread; FALSE when OLE cannot be initialised. A successful
// call is balanced by OleUninitialize when the thread ends.
BOOL AfxOleInit();
