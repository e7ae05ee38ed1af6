// Pedidos de encerramento do sistema: chegam ao laço de eventos, não ao tratador do sinal.
#include "app/SinaisEncerramento.h"

#include <QCoreApplication>
#include <csignal>
#include <gtest/gtest.h>

using namespace korventa;

namespace {

int esperaPedidos(const int& pedidos, int quantos) {
    for (int i = 0; i < 100 && pedidos < quantos; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return pedidos;
}

} // namespace

TEST(SinaisEncerramento, CadaSinalViraUmPedidoEODestrutorDevolveOsTratadores) {
    struct sigaction antes = {};
    sigaction(SIGTERM, nullptr, &antes);
    int pedidos = 0;
    {
        SinaisEncerramento sinais([&] { ++pedidos; });
        std::raise(SIGTERM);
        // Nada acontece dentro do tratador: só no laço de eventos.
        EXPECT_EQ(pedidos, 0);
        EXPECT_EQ(esperaPedidos(pedidos, 1), 1);
        std::raise(SIGINT);
        EXPECT_EQ(esperaPedidos(pedidos, 2), 2);
        std::raise(SIGHUP);
        EXPECT_EQ(esperaPedidos(pedidos, 3), 3);
    }
    struct sigaction depois = {};
    sigaction(SIGTERM, nullptr, &depois);
    EXPECT_EQ(depois.sa_handler, antes.sa_handler);
}
