int Twice(int n) {
    return n + n + 1;
}
