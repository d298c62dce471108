"""A TCP relay on loopback that gives servers on loopback the round trips of a real network.

    with DelayProxy([(address, port, server_address, server_port), ...], delay=0.005) as proxy:
        ...                      # connect to (address, port) instead of the server

Each chunk that one side sends reaches the other side `delay` seconds later, in each direction,
in order (so a request and its answer take twice the delay more than on loopback). The relay
can also hold everything until told to let go: hold() keeps every chunk that falls due from
then on, sets `held` once a client's chunk is kept, and release() lets them all go on.

It only listens on and connects to loopback addresses, runs its own thread, and stops (closing
every connection) when the context ends.
"""

import asyncio
import contextlib
import ipaddress
import threading


def is_loopback(address):
    return ipaddress.ip_address(address).is_loopback


class DelayProxy:
    def __init__(self, routes, delay):
        for route in routes:
            if not (is_loopback(route[0]) and is_loopback(route[2])):
                raise ValueError(f"the proxy stays on loopback: {route}")
        self.routes = routes
        self.delay = delay
        self.held = threading.Event()
        self.loop = None
        self.thread = None
        self.failure = None
        self._ready = threading.Event()
        self._released = None
        self._stop = None
        self._connections = set()

    def __enter__(self):
        self.thread = threading.Thread(target=self._run, name="delay-proxy", daemon=True)
        self.thread.start()
        self._ready.wait()
        if self.failure:
            self.thread.join()
            raise self.failure
        return self

    def __exit__(self, *exc):
        self.loop.call_soon_threadsafe(self._stop.set)
        self.thread.join()

    def hold(self):
        self.held.clear()
        self.loop.call_soon_threadsafe(self._released.clear)

    def release(self):
        self.loop.call_soon_threadsafe(self._released.set)

    def _run(self):
        self.loop = asyncio.new_event_loop()
        try:
            self.loop.run_until_complete(self._serve())
        finally:
            self.loop.close()

    async def _serve(self):
        self._released = asyncio.Event()
        self._released.set()
        self._stop = asyncio.Event()
        servers = []
        try:
            for address, port, server_address, server_port in self.routes:
                target = (server_address, server_port)
                servers.append(await asyncio.start_server(
                    lambda r, w, target=target: self._relay(r, w, target), address, port, reuse_address=True))
        except OSError as error:
            self.failure = error
        self._ready.set()
        if not self.failure:
            await self._stop.wait()
        for server in servers:
            server.close()
        for task in list(self._connections):
            task.cancel()
        await asyncio.gather(*self._connections, return_exceptions=True)

    async def _relay(self, client_reader, client_writer, target):
        task = asyncio.current_task()
        self._connections.add(task)
        writers = [client_writer]

        def close_all():
            for writer in writers:
                writer.close()

        try:
            try:
                server_reader, server_writer = await asyncio.open_connection(*target)
            except OSError:
                return
            writers.append(server_writer)
            await asyncio.gather(self._pump(client_reader, server_writer, True, close_all),
                                 self._pump(server_reader, client_writer, False, close_all))
        except asyncio.CancelledError:
            pass  # the proxy stops
        finally:
            close_all()
            self._connections.discard(task)

    async def _pump(self, reader, writer, from_client, close_all):
        """Copies reader to writer, each chunk `delay` after it came, the end of the stream too.
        A side that fails ends the connection both ways."""
        loop = asyncio.get_running_loop()
        queue = asyncio.Queue()

        async def send():
            while True:
                due, data = await queue.get()
                if due > loop.time():
                    await asyncio.sleep(due - loop.time())
                if not self._released.is_set():
                    if from_client and data:
                        self.held.set()
                    await self._released.wait()
                try:
                    if not data:
                        writer.write_eof()
                        return
                    writer.write(data)
                    await writer.drain()
                except OSError:
                    close_all()
                    return

        sender = asyncio.create_task(send())
        try:
            while True:
                try:
                    data = await reader.read(65536)
                except OSError:
                    data = b""
                await queue.put((loop.time() + self.delay, data))
                if not data:
                    break
            await sender
        finally:
            sender.cancel()
