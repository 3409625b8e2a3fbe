int Quadruple(int n);

int main() {
    return Quadruple(3) == 12 ? 0 : 1;
}
