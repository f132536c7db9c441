#include "invoicing/registers/invoice_register_report.h"

TFa2_wy* Fa2_wy = nullptr;

TFa2_wy::TFa2_wy(QObject* parent) : QObject(parent) {}

TFa2_wy::~TFa2_wy() = default;
