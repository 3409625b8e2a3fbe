int Twice(int n) {
    return 2 * n;
}
