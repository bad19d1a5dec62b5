/* A program that imports a function of Windows Vista: tools/check-imports.py must refuse it. */
__declspec(dllimport) unsigned long long __stdcall GetTickCount64(void);

int main(void)
{
    return (int)(GetTickCount64() & 1);
}
