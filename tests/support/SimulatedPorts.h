#pragma once
// Twenty serial ports that exist only in memory: COMn is "vcomN" on a virtual bus once added, with
// simulated interfaces behind them, all on one virtual clock. The link and window benches build on
// it.

#include <memory>
#include <string>
#include <vector>

#include "link/Clock.h"
#include "link/PortMap.h"
#include "sim/InterfaceSimulator.h"
#include "sim/VirtualSerialLine.h"

namespace mx::test {

struct SimulatedPorts {
  VirtualClock clock{1000};
  sim::VirtualPortBus bus{clock};
  sim::VirtualSerialLine line{bus};
  PortMap ports;
  std::vector<std::unique_ptr<sim::InterfaceSimulator>> devices;

  static std::string PathOf(int port) { return "vcom" + std::to_string(port); }

  sim::VirtualPort& AddPort(int port, sim::InterfaceSimulator* device = nullptr) {
    ports.Set(port, PathOf(port));
    return bus.Add(PathOf(port), device);
  }
  // An interface of `model` on COM`port`, configured for baud-parity-dataBits-1.
  sim::InterfaceSimulator& AddInterface(int port, ModelIndex model, int baud, char parity,
                                        char dataBits, sim::Fault fault = sim::Fault::None) {
    sim::SimulatorConfig config;
    config.model = model;
    config.fault = fault;
    config.image = sim::DefaultSimulatorImage(model, baud, parity, dataBits);
    devices.push_back(std::make_unique<sim::InterfaceSimulator>(config));
    AddPort(port, devices.back().get());
    return *devices.back();
  }
};

}  // namespace mx::test
