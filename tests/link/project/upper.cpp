int Twice(int n);

int Quadruple(int n) {
    return Twice(Twice(n));
}
