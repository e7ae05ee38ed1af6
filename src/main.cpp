#include "app/Aplicacao.h"

int main(int argc, char** argv) { return korventa::executaAplicacao(argc, argv); }
