extern "C" int CalcFitting() { return 0; }
