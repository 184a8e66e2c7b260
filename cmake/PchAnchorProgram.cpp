// Compiled only to build a precompiled header that test programs reuse.
int main() {
    return 0;
}
