// A library that looks like a plug-in by its file name and one export, and is not one: the host must say
// so and carry on without it.
extern "C" __declspec(dllexport) int __cdecl tsxGetVersion(void) {
  return 500;
}
