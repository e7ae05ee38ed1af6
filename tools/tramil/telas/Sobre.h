// "Sobre o Tramil": versão e o que cada modo faz.
#pragma once

class QWidget;

namespace tramil {

void MostraSobre(QWidget* pai);

} // namespace tramil
