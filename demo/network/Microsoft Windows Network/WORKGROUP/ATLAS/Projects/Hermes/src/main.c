#include <stdio.h>
int main(void) { puts("hello, network"); return 0; }
