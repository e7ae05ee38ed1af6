#pragma once

namespace korventa {
// Cria a aplicação Qt, a janela principal e roda o laço de eventos.
int executaAplicacao(int argc, char** argv);
} // namespace korventa
