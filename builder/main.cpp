#include <cstdio>

int main() { std::puts("zelto-build"); return 0; }
